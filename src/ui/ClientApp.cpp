#include "ui/ClientApp.h"

#include "account/AutoSignIn.h"
#include "account/CaptchaLoader.h"
#include "account/RecoveryFlow.h"
#include "account/RegistrationFlow.h"
#include "account/RememberedAccount.h"
#include "account/SignInDisplay.h"
#include "account/SignInFlow.h"
#include "account/SmsCodeFlow.h"
#include "api/Endpoints.h"
#include "app/AppSession.h"
#include "app/IniFile.h"
#include "app/ProgramPaths.h"
#include "finance/ProfileRequests.h"
#include "finance/ProfileWindow.h"
#include "finance/RealNameWindow.h"
#include "finance/RechargeWindow.h"
#include "finance/UserProfile.h"
#include "hosts/MainWindow.h"
#include "net/HttpEngine.h"
#include "remote/RemoteDesktop.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/MessageBox.h"
#include "ui/UpdaterResource.h"
#include "ui/WebPage.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QProcess>
#include <QStackedWidget>

#include <future>
#include <mutex>
#include <system_error>

namespace cloud {

namespace {

// What the top-up and real-name windows need of the signed-in account.
FinanceContext financeContext()
{
    FinanceContext context;
    context.userName = [] { return AppSession::instance().accountName(); };
    context.mobile = [] { return UserProfile::instance().mobile(); };
    context.reloadProfile = [] {
        if (const auto realName = loadUserProfile())
            UserProfile::instance().setRealNameText(*realName);
    };
    return context;
}

QByteArray bytesOf(const std::string &bytes)
{
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

FetchFunction engineFetch(bool sequential)
{
    if (!sequential)
        return [](const std::string &url) { return HttpEngine::fetchPage(url); };
    // One request at a time, in whatever order they come: the figure to compare with.
    auto turn = std::make_shared<std::mutex>();
    return [turn](const std::string &url) {
        std::lock_guard lock(*turn);
        return HttpEngine::fetchPage(url);
    };
}

// Runs `task` on a thread of its own, or at once when no thread can be had.
std::future<void> runAside(std::function<void()> task)
{
    try {
        return std::async(std::launch::async, task);
    } catch (const std::system_error &) {
        task();
        return std::async(std::launch::deferred, [] {});
    }
}

} // namespace

ClientApp::Environment ClientApp::systemEnvironment(const ClientOptions &options)
{
    enterProgramDirectory();
    Environment env;
    env.inputs = systemStartupInputs(
        engineFetch(options.sequentialStartup),
        [](const std::string &path, const std::string &section, const std::string &key,
           const std::string &value) { writeIni(path, section, key, value); });
    env.writeUpdater = writeUpdaterProgram;
    env.startProgram = [](const std::string &path) {
        return QProcess::startDetached(QString::fromStdString(path), {});
    };
    env.stopWorkers = Workers::stopAll;
    return env;
}

ClientApp::ClientApp(Environment environment, ClientOptions options)
    : m_env(std::move(environment)), m_options(std::move(options))
{
    // The program ends through end() alone, also when a message box closes while no
    // other window is showing (between the sign-in and the main window's appearance).
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

ClientApp::~ClientApp()
{
    if (!m_ended)
        shutDown();
}

void ClientApp::start()
{
    AppSession::instance().clear(); // every field empty
    // The requests go out first; the window is built and shown while they travel.
    startConfiguration();
    createLoginWindow();
    // Until the configuration is through the window shows, moves and closes, but its
    // pages take no input: there is no service address yet.
    m_login->signInPage()->move(LoginWindow::slideStartX, m_login->signInPage()->y());
    lockPages(true);
    m_login->show();
}

void ClientApp::startConfiguration()
{
    QPointer<QObject> guard(this);
    Workers::start([guard, inputs = m_env.inputs, writeUpdater = m_env.writeUpdater] {
        // The updater program is written while the requests are under way; both are
        // done before the version decision, which may start it.
        auto written = runAside([&] {
            if (writeUpdater)
                writeUpdater(updaterPath(inputs.programDir));
        });
        const StartupOutcome outcome = StartupConfig(inputs).run(AppSession::instance());
        written.wait();
        postToGui(guard, [guard, outcome] {
            static_cast<ClientApp *>(guard.data())->finishStartup(outcome);
        });
    });
}

void ClientApp::createLoginWindow()
{
    m_login = std::make_unique<LoginWindow>();
    m_login->setWindowTitle(QStringLiteral("云服务器客户端"));
    m_display = new SignInDisplay(m_login.get(), this);
    m_captcha = new CaptchaLoader(m_login.get(), this);
    m_remembered = std::make_unique<RememberedAccount>(
        m_login.get(), [] { return AppSession::instance().accountIniPath(); });
    m_signIn = std::make_unique<SignInFlow>(m_display, m_remembered.get());
    m_autoSignIn = std::make_unique<AutoSignIn>(m_display);

    LoginWindow *w = m_login.get();
    connect(w, &LoginWindow::signInRequested, this, [this] { m_signIn->signIn(); });
    connect(w, &LoginWindow::captchaRequested, m_captcha, &CaptchaLoader::loadCaptcha);
    connect(w, &LoginWindow::recoveryPageRequested, this, &ClientApp::openRecoveryPage);
    connect(w, &LoginWindow::closeRequested, this, [this] { end(0); });
    connect(m_captcha, &CaptchaLoader::captchaShown, this, &ClientApp::noteCaptchaShown);
    m_remembered->saveOnClicks();
    // Registration, the SMS code and the recovery form drive their own pages.
    (new RegistrationFlow(this))->attach(w);
    (new SmsCodeFlow(this))->attach(w);
    (new RecoveryFlow(this))->attach(w);
}

void ClientApp::finishStartup(const StartupOutcome &outcome)
{
    if (m_ended || !versionAllowsStart(outcome))
        return;
    m_login->setLogoImage(bytesOf(AppSession::instance().logoImage()));
    ensureHistoryDirectory(m_env.inputs.programDir);
    m_remembered->restoreRememberedAccount();
    if (m_options.demoSignIn())
        fillDemoAccount();
    lockPages(false);
    m_configured = true;
    m_login->slideInSignIn();
    m_login->showVersionNotice();
    m_login->startLogoAnimation();
    m_captcha->loadCaptcha();
    m_login->accountEdit()->setFocus(Qt::OtherFocusReason);
    loadMainWindow();
    m_autoSignIn->start();
}

bool ClientApp::versionAllowsStart(const StartupOutcome &outcome)
{
    if (outcome.decision == VersionDecision::Continue)
        return true;
    const std::string_view message = versionDecisionMessage(outcome.decision);
    MessageBox::information(
        m_login.get(), QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
    if (m_ended)
        return false;
    if (outcome.decision == VersionDecision::NewVersion) {
        if (m_env.startProgram)
            m_env.startProgram(updaterPath(m_env.inputs.programDir));
        end(0);
    } else {
        end(1);
    }
    return false;
}

void ClientApp::loadMainWindow()
{
    m_main = std::make_unique<MainWindow>(m_login.get());
    connect(m_main.get(), &MainWindow::closeRequested, this, [this] { end(0); });
    connect(m_main.get(), &MainWindow::remoteSettingsRequested, this,
            [this] { openRemoteSettings(m_main.get()); });
    ProfileWindow::setRechargeFactory([](QWidget *parent) -> QWidget * {
        return RechargeWindow::open(parent, financeContext());
    });
    ProfileWindow::setRealNameFactory([](QWidget *parent) -> QWidget * {
        return RealNameWindow::open(parent, financeContext());
    });
    m_main->startSignInWatcher();
}

void ClientApp::lockPages(bool locked)
{
    m_login->tabBox()->setEnabled(!locked);
    m_login->navList()->setEnabled(!locked);
}

void ClientApp::fillDemoAccount()
{
    m_login->accountEdit()->setValue(m_options.demoAccount);
    m_login->passwordEdit()->setValue(m_options.demoPassword);
    // Ticked, not clicked: the account settings file is left alone.
    m_login->autoSignInBox()->setChecked(true);
}

void ClientApp::openRecoveryPage()
{
    openWebPage(AppSession::instance().baseUrl() + std::string(api::kRecoveryPage));
}

void ClientApp::noteCaptchaShown()
{
    if (m_ready || !m_configured || m_ended)
        return;
    m_ready = true;
    emit readyForInput();
}

void ClientApp::end(int exitCode)
{
    if (m_ended)
        return;
    shutDown();
    emit ended(exitCode);
}

void ClientApp::shutDown()
{
    m_ended = true;
    if (m_login) {
        m_login->stopAnimations();
        m_login->hide();
    }
    if (m_main)
        m_main->hide();
    // Pauses end and exchanges are cut off, so no worker keeps the program waiting.
    if (m_env.stopWorkers)
        m_env.stopWorkers();
    AppSession::instance().clear();
}

} // namespace cloud
