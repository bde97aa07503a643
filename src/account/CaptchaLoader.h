#pragma once

#include <QObject>
#include <QPointer>

namespace cloud {

class LoginWindow;

// Loads image captchas into the sign-in page's picture `登录验证码`. Each load asks
// for a new image under a fresh id; the request runs on a worker and the picture is
// set on the GUI thread. When loads overlap, only the newest one's image is shown,
// the one the service remembers for the session.
class CaptchaLoader : public QObject
{
    Q_OBJECT
public:
    explicit CaptchaLoader(LoginWindow *window, QObject *parent = nullptr);

    // GUI thread. A failed request leaves the picture blank; a click tries again.
    void loadCaptcha();

signals:
    // The newest image was set; `decoded` is false when the picture stayed blank.
    void captchaShown(bool decoded);

private:
    void show(int ticket, const QByteArray &bytes);

    QPointer<LoginWindow> m_window;
    int m_latest = 0;
};

} // namespace cloud
