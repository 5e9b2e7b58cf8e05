#pragma once

#include <QString>

// The row of eleven step images at the top of each setup step.
class SetupProgressView
{
public:
    static constexpr int kImages = 11;

    // Positions outside 0..10 are ignored.
    void setProgressPos(int position)
    {
        if (position >= 0 && position < kImages)
            pos = position;
    }
    int progressPos() const { return pos; }
    bool isOn(int image) const { return image <= pos; }
    // "sa_on.png" .. "sk_off.png"
    QString imageName(int image) const
    {
        return QStringLiteral("s%1_%2.png").arg(QChar('a' + image), isOn(image) ? "on" : "off");
    }

private:
    int pos = 0;
};
