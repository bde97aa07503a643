#include "account/CaptchaLoader.h"

#include "account/AccountRequests.h"
#include "ui/GuiThread.h"
#include "ui/LoginWindow.h"
#include "ui/PictureBox.h"

namespace cloud {

CaptchaLoader::CaptchaLoader(LoginWindow *window, QObject *parent)
    : QObject(parent), m_window(window)
{}

void CaptchaLoader::loadCaptcha()
{
    const int ticket = ++m_latest;
    // Made here, on the GUI thread, and only tested there.
    QPointer<QObject> guard(this);
    Workers::start([guard, ticket] {
        const std::string bytes = captchaImageRequest();
        postToGui(guard, [guard, ticket, bytes] {
            static_cast<CaptchaLoader *>(guard.data())
                ->show(ticket, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        });
    });
}

void CaptchaLoader::show(int ticket, const QByteArray &bytes)
{
    if (ticket != m_latest || !m_window)
        return;
    m_window->setCaptchaImage(bytes);
    emit captchaShown(!m_window->captchaPicture()->image().isNull());
}

} // namespace cloud
