#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

class HeadlessDrivers;

// One recorder of a batch: its MAC address as the plan gives it and the
// answers of its own headless run (the shared ones with its overrides, and
// the search set to pick it by its MAC).
struct BatchRecorder
{
    QString mac;
    QJsonObject answers;
};

// A batch plan: answers shared by every recorder, the recorders by MAC with
// their overrides, and how many run at a time.
struct BatchPlan
{
    static constexpr int kDefaultJobs = 4;
    static constexpr int kMaxJobs = 64;

    static bool isJobCount(int jobs) { return jobs >= 1 && jobs <= kMaxJobs; }

    int jobs = kDefaultJobs;
    QList<BatchRecorder> recorders;

    // Reads and checks the plan file ("-": standard input); returns every mistake found, none when
    // the plan is fine (plan is filled only then).
    static QStringList read(const QString &path, const HeadlessDrivers &drivers, BatchPlan &plan);
    // The same with the file's object already parsed.
    static QStringList fromJson(const QJsonObject &object, const HeadlessDrivers &drivers, BatchPlan &plan);
};
