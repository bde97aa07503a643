#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("云服务器客户端"));
    window.setObjectName(QStringLiteral("LoginWindow"));
    window.resize(400, 300);
    window.show();
    return app.exec();
}
