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
    QString shownStep; // the last page or step the run's progress named
    QString endNote; // why a run that printed no result ended as it did
    QJsonObject printed; // the JSON result the run printed: its summary, failure or survey
    qint64 elapsedMs = 0;

    bool isFinished() const { return state == State::Succeeded || state == State::Failed; }
    // "succeeded", "failed", "stopped" or "not started".
    QString outcomeText() const;

    // The last page or step the run showed.
    QString step() const;
    // Why the run failed or was stopped; empty when it did not.
    QString failure() const;
    // Why the recorder could not be reached, when the run could tell.
    QJsonObject diagnosis() const;

    // What the run read or set, as far as it came; null where it did not.
    QJsonValue ip() const;
    // What each of the nine channels received: a model name, or null.
    QJsonValue channels() const;
    QJsonValue cloudNumber() const;
    // The cloud step's outcome ("registered", "skipped", ...).
    QJsonValue cloud() const;
    // The setup report's path, when the run wrote one.
    QJsonValue report() const;
    // The steps that sent a change, in step order; null without a result.
    QJsonValue changed() const;
    // A survey's changes a real run would make: [{"step", "reason"}].
    QJsonValue wouldChange() const;
    // The items the summary left, or null.
    QJsonValue files() const;
    // The files that could not be made, "path: reason" each.
    QJsonArray errors() const;

    // "2 camera(s), cloud number 10000001; changed password, hdd" for the
    // progress line.
    QString resultText() const;
    // "; changed password, hdd", "; nothing changed", or empty without a result.
    QString changedText() const;
};
