#pragma once

#include "webconfig/HttpGet.h"
#include "webconfig/HttpGetDelegate.h"
#include "webconfig/records/TCameraInfo.h"
#include "webconfig/records/TDateInfo.h"
#include "webconfig/records/THddInfo.h"
#include "webconfig/records/TNimboraInfo.h"
#include "webconfig/records/TNimboraRegInfo.h"
#include "webconfig/records/TRecordingInfo.h"
#include "webconfig/records/TTimeZoneListInfo.h"

#include <QTimer>

#include <memory>
#include <optional>

class HttpConfigDelegate;
struct TVexorReply;

// The client of the recorder's /config/ interface and of the cloud portal's
// form calls: one command at a time, each ending in one delegate call.
// Getters return the objects held (shared); the next command of the same kind
// empties the list or replaces the record. A recorder answer other than 2xx
// ends the command as a failure (see answerFailure).
class HttpConfig : private HttpGetDelegate
{
public:
    explicit HttpConfig(HttpConfigDelegate *delegate);
    ~HttpConfig() override;
    HttpConfig(const HttpConfig &) = delete;
    HttpConfig &operator=(const HttpConfig &) = delete;

    // The recorder record is referenced, not copied: it must outlive the command.
    void startSetRegistStatus(const TVexorReply &dest, const QString &user, const QString &password);
    void startGetHddInfo(const TVexorReply &dest, const QString &user, const QString &password);
    // Formats every disk of the list whose checked() is set, one after the other.
    void startFormatHdd(
        std::shared_ptr<THddInfoList> hdds, const TVexorReply &dest, const QString &user, const QString &password);
    void startGetNimboraInfo(const TVexorReply &dest, const QString &user, const QString &password);
    void startGetNimboraRegInfo(const TVexorReply &dest, const QString &user, const QString &password);
    void startSetNimboraAccount(const TVexorReply &dest, const QString &user, const QString &password,
        const QString &account, const QString &accountPassword);
    void startCameraDiscovery(const TVexorReply &dest, const QString &user, const QString &password);
    void startAddCamera(
        const TVexorReply &dest, const TCameraInfo &camera, int dev, const QString &user, const QString &password);
    void startDelCamera(const TVexorReply &dest, int dev, const QString &user, const QString &password);
    void startResetNVR(const TVexorReply &dest, const QString &user, const QString &password);
    void performGetDateInformation(const TVexorReply &dest, const QString &user, const QString &pass);
    // timezone: 0-based index in decimal.
    void performSetDateInformation(
        const TVexorReply &dest, const QString &user, const QString &pass, const QString &timezone);
    // lang: the wizard's language code ("EN", "PT" ...).
    void performGetTimeZoneListInformation(
        const TVexorReply &dest, const QString &user, const QString &pass, const QString &lang);
    void performStartRecording(const TVexorReply &dest, const QString &user, const QString &pass);

    // Cloud portal calls; the host is portal_url of the given record.
    void startNimboraSignin(const TNimboraInfo &info, const QString &wizardVer, const QString &lang,
        const QString &email, const QString &password);
    void startNimboraAdd(const TNimboraInfo &info, const QString &wizardVer, const QString &lang,
        const QString &devicePassword, const QString &key);
    void startNimboraNewAccount(const TNimboraInfo &info, const QString &wizardVer, const QString &lang,
        const QString &mail, const QString &password, const QString &verify, const QString &first, const QString &last);

    int command() const { return httpCmd; }
    std::shared_ptr<THddInfoList> getHddInfoList() const { return hddInfos; }
    std::shared_ptr<TNimboraInfo> getNimboraInfo() const { return nimboraInfo; }
    std::shared_ptr<TNimboraRegInfo> getNimboraRegInfo() const { return nimboraRegInfo; }
    std::shared_ptr<TCameraInfoList> getCameraInfoList() const { return cameraInfos; }
    const std::optional<QString> &getResetNVRWaitingTime() const { return watingTime; }
    std::shared_ptr<TDateInfo> getDateInfoList() const { return dateInfos; }
    // None when the recorder took the zone, "timezone setting failed" otherwise.
    const std::optional<QString> &getErrorInfo() const { return error; }
    std::shared_ptr<TTimeZoneListInfo> getTimeZoneListInfoList() const { return timeZoneListInfos; }
    std::shared_ptr<TRecordingInfo> getRecordingInfoList() const { return recordingInfos; }
    const QString &getNimboraRespKey() const { return nimboraRespKey; }
    bool getNimboraRespStatus() const { return nimboraRespStatus; }

private:
    void onHttpDidFinish(HttpGet *, const QByteArray &datas) override;
    void onHttpDidError(const HttpError &err) override;

    void begin(int cmd, const TVexorReply &dest, const QString &user, const QString &password);
    void beginPortal(int cmd);
    void request(const QString &path);
    QString recorderUrl(const QString &path) const;
    QString portalUrl(const TNimboraInfo &info, const QString &path) const;
    void finish();
    void parseAnswer(const QByteArray &datas);
    void queryHdd();
    void onHddAnswer(const QByteArray &datas);
    bool formatStep();
    void onFormatPollAnswer(const QByteArray &datas);
    void parseCameras(const QString &text);
    void parseSetDate(const QString &text);
    void parseResetNVR(const QString &text);

    HttpGet httpget;
    HttpConfigDelegate *theDelegate;
    int httpCmd = 0;
    const TVexorReply *destInfo = nullptr;
    QString userName;
    QString password;
    int hddCounter = 0;
    std::shared_ptr<THddInfoList> hddInfos;
    std::optional<QString> formatStatus;
    std::shared_ptr<TNimboraInfo> nimboraInfo;
    std::shared_ptr<TNimboraRegInfo> nimboraRegInfo;
    bool nimboraRespStatus = false;
    QString nimboraRespKey;
    std::shared_ptr<TCameraInfoList> cameraInfos;
    std::optional<QString> watingTime;
    std::shared_ptr<TDateInfo> dateInfos;
    QString timezone2;
    std::optional<QString> error;
    std::shared_ptr<TTimeZoneListInfo> timeZoneListInfos;
    std::shared_ptr<TRecordingInfo> recordingInfos;
    QTimer m_pollTimer;
    // Advanced by every start, so a sequence step knows when the delegate has
    // started something else from inside a callback.
    unsigned m_generation = 0;
};
