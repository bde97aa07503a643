#include "ui/LoginWindow.h"
#include "ui/SkinStyle.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTimer>

namespace {

// Until the start-up sequence fetches the service's logo, the preview shows a
// wordmark drawn here.
QByteArray previewLogo()
{
    QImage image(646, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(52);
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("云服务器客户端"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString screenshotPath(const QStringList &arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--demo-screenshot"));
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    cloud::applySkin(app);

    cloud::LoginWindow window;
    window.setWindowTitle(QStringLiteral("云服务器客户端"));
    window.setLogoImage(previewLogo());
    QObject::connect(&window, &cloud::LoginWindow::closeRequested, &app, &QApplication::quit);
    window.show();
    window.startLogoAnimation();
    window.slideInSignIn();
    window.showVersionNotice();

    const QString shot = screenshotPath(app.arguments());
    if (!shot.isEmpty()) {
        QTimer::singleShot(2500, &window, [&] {
            const bool saved = window.grab().save(shot);
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
