#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// What became of one recorder of a batch.
struct BatchOutcome
{
    enum class State { Waiting, Running, Succeeded, Failed, Stopped };

    QString mac;
    State state = State::Waiting;
    QString step; // the last page or step its run showed
    QString failure; // why it failed or was stopped
    QJsonObject summary; // the run's JSON summary, once it succeeded
    QJsonObject diagnosis; // why a failed run's recorder could not be reached, when it could tell
    qint64 elapsedMs = 0;

    bool isFinished() const { return state == State::Succeeded || state == State::Failed; }
    // "succeeded", "failed", "stopped" or "not started".
    QString outcomeText() const;

    // Read from the summary; null (empty) before the run succeeded.
    QJsonValue ip() const;
    // What each of the nine channels received: a model name, or null.
    QJsonValue channels() const;
    QJsonValue cloudNumber() const;
    // The cloud step's outcome ("registered", "skipped", ...).
    QJsonValue cloud() const;
    // The setup report's path, when the run wrote one.
    QJsonValue report() const;
    // "2 cameras, cloud number 10000001" for the progress line.
    QString resultText() const;
};
