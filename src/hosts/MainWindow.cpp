#include "hosts/MainWindow.h"

#include "account/AccountRequests.h"
#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "app/AppSession.h"
#include "app/Pacing.h"
#include "finance/AccountRefreshLoop.h"
#include "finance/CardTopUpPage.h"
#include "finance/FinancePage.h"
#include "finance/ProfileRequests.h"
#include "finance/ProfileWindow.h"
#include "finance/UserProfile.h"
#include "hosts/HostContextMenu.h"
#include "hosts/HostListLoader.h"
#include "hosts/HostListPage.h"
#include "hosts/MainTray.h"
#include "hosts/SessionGeneration.h"
#include "hosts/SharedText.h"
#include "hosts/SignInWatcher.h"
#include "hosts/TipRotation.h"
#include "orders/CataloguePage.h"
#include "orders/MainProgress.h"
#include "orders/RenewWindow.h"
#include "ui/GuiThread.h"
#include "ui/HoverLabel.h"
#include "ui/LoginWindow.h"
#include "ui/MainArt.h"
#include "ui/MainSkin.h"
#include "ui/MessageBox.h"
#include "ui/PictureBox.h"
#include "ui/ServicePage.h"
#include "ui/Workers.h"

#include <QDesktopServices>
#include <QListWidget>
#include <QMenu>
#include <QMetaMethod>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>

namespace cloud {

// What the window's workers share with it. Workers hold it by shared pointer and reach the
// window only through `window`, a guard made on the GUI thread, so a worker that outlives
// the window touches nothing freed.
struct MainWindow::Background
{
    std::shared_ptr<SessionGeneration> generation = SessionGeneration::create();
    std::shared_ptr<SharedText> selectorText = SharedText::create();
    std::unique_ptr<HostListLoader> loader;
    QPointer<QObject> window;
    std::atomic<bool> signingOut{false};

    // Runs `step` on the GUI thread with the window, if it still exists.
    void post(std::function<void(MainWindow &)> step) const
    {
        QPointer<QObject> guard = window;
        postToGui(guard, [guard, step = std::move(step)] {
            step(*static_cast<MainWindow *>(guard.data()));
        });
    }
};

namespace {

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

QByteArray bytes(const std::string &data)
{
    return QByteArray::fromStdString(data);
}

std::unique_ptr<HostListLoader> makeLoader(const std::shared_ptr<SessionGeneration> &generation,
                                           const std::shared_ptr<SharedText> &selector,
                                           const QPointer<QObject> &window)
{
    HostListLoader::Hooks hooks;
    hooks.selectorText = [selector] { return selector->get(); };
    hooks.fetch = [](const std::string &path) {
        return ApiClient::fromSession().postText(path, {});
    };
    hooks.alive = [generation] { return !generation->closed() && !Workers::stopping(); };
    hooks.apply = [window](HostPage page) {
        postToGui(window, [window, page = std::move(page)] {
            static_cast<MainWindow *>(window.data())->hostListPage()->applyPage(page);
        });
    };
    return std::make_unique<HostListLoader>(std::move(hooks));
}

} // namespace

MainWindow::MainWindow(LoginWindow *loginWindow, QWidget *parent)
    : SkinnedWindow(QStringLiteral("MainWindow"), QStringLiteral("窗口EX1"), QSize(900, 500), true,
                    parent),
      m_login(loginWindow), m_background(std::make_shared<Background>())
{
    setWindowTitle(QStringLiteral("管理工具"));
    setWindowIcon(MainArt::programIcon());
    setStyleSheet(mainWindowStyleSheet());
    m_background->window = this;
    m_background->loader =
        makeLoader(m_background->generation, m_background->selectorText, m_background->window);
    createPages();
    createNavigation();
    createTopBar();
    createTray();
    connectPages();
    closeLabel()->raise();
    minimiseLabel()->raise();
}

MainWindow::~MainWindow()
{
    // Every loop of this window ends within a second of this.
    m_background->generation->close();
}

const SessionGeneration &MainWindow::sessionGeneration() const
{
    return *m_background->generation;
}

void MainWindow::createTopBar()
{
    m_userPicture = new PictureBox(QStringLiteral("图片框EX2"), this);
    m_userPicture->setGeometry(31, 26, 83, 78);
    m_userPicture->setImage(MainArt::avatar(78, devicePixelRatioF()));
    m_userPicture->setClickable(true);
    m_userName = new HoverLabel(QStringLiteral("用户名标签"), QString(), this);
    m_userName->setGeometry(17, 112, 116, 32);
    m_logo = new PictureBox(QStringLiteral("图片框EX1"), this);
    m_logo->setGeometry(340, 52, 323, 50);

    auto *help = new HoverLabel(QStringLiteral("标签EX17"), QStringLiteral("帮助"), this);
    help->setGeometry(765, 20, 35, 24);
    auto *settings = new HoverLabel(QStringLiteral("标签EX2"), QStringLiteral("设置"), this);
    settings->setGeometry(803, 20, 35, 24);
    // Without a notification area the window itself offers what the icon's menu holds.
    m_menuLabel = new HoverLabel(QStringLiteral("标签菜单"), QStringLiteral("菜单"), this);
    m_menuLabel->setGeometry(727, 20, 35, 24);
    m_menuLabel->setVisible(!MainTray::available());

    connect(m_userPicture, &PictureBox::clicked, this, &MainWindow::openProfileWindow);
    connect(m_userName, &HoverLabel::clicked, this, &MainWindow::openProfileWindow);
    connect(help, &HoverLabel::clicked, this, &MainWindow::openHelpSite);
    connect(settings, &HoverLabel::clicked, this, &MainWindow::remoteSettingsRequested);
    connect(minimiseLabel(), &HoverLabel::clicked, this, &MainWindow::minimise);
}

void MainWindow::createNavigation()
{
    m_navList = new QListWidget(this);
    m_navList->setObjectName(QStringLiteral("列表框EX1"));
    m_navList->setGeometry(8, 156, 132, 322);
    m_navList->setFocusPolicy(Qt::NoFocus);
    m_navList->setIconSize(QSize(20, 20));
    m_navList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_navList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rebuildNavigation();
    connect(m_navList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { onNavigate(m_navList->row(item)); });
}

void MainWindow::rebuildNavigation()
{
    using MainArt::NavIcon;
    const std::pair<NavIcon, QString> entries[] = {{NavIcon::Hosts, QStringLiteral("产品列表")},
                                                   {NavIcon::Finance, QStringLiteral("财务信息")},
                                                   {NavIcon::Buy, QStringLiteral("购买产品")},
                                                   {NavIcon::Service, QStringLiteral("客服中心")},
                                                   {NavIcon::Card, QStringLiteral("卡密激活")}};
    const QSignalBlocker blocker(m_navList);
    m_navList->clear();
    for (const auto &[icon, caption] : entries) {
        auto *item =
            new QListWidgetItem(QIcon(MainArt::navIcon(icon, 20, devicePixelRatioF())), caption);
        item->setSizeHint(QSize(124, 50));
        m_navList->addItem(item);
    }
    m_navList->setCurrentRow(HostsEntry);
}

void MainWindow::createPages()
{
    m_tabBox = new QStackedWidget(this);
    m_tabBox->setObjectName(QStringLiteral("选择夹EX1"));
    m_tabBox->setGeometry(161, 59, 722, 418);
    m_hostPage = new HostListPage(m_tabBox);
    m_financePage = new FinancePage(m_tabBox);
    OrdersContext orders;
    orders.balanceText = [] {
        return QString::fromStdString(UserProfile::instance().balanceText());
    };
    orders.reloadHostList = hostListReloader();
    m_cataloguePage = new CataloguePage(orders, m_tabBox);
    m_servicePage = new ServicePage(m_tabBox);
    m_cardPage = new CardTopUpPage(MainProgress::phase(), m_tabBox);
    for (QWidget *page : std::initializer_list<QWidget *>{
             m_hostPage, m_financePage, m_cataloguePage, m_servicePage, m_cardPage})
        m_tabBox->addWidget(page);
}

void MainWindow::createTray()
{
    m_tray = new MainTray(this);
    connect(m_tray, &MainTray::quitRequested, this, &MainWindow::quitProgram);
    connect(m_tray, &MainTray::signOutRequested, this, &MainWindow::signOut);
    connect(m_tray, &MainTray::toggleRequested, this, &MainWindow::toggleFromTray);
    connect(m_menuLabel, &HoverLabel::clicked, this, [this] {
        m_tray->menu()->popup(m_menuLabel->mapToGlobal(QPoint(0, m_menuLabel->height())));
    });
}

void MainWindow::connectPages()
{
    std::shared_ptr<SharedText> selector = m_background->selectorText;
    selector->set(m_hostPage->selectorText().toStdString());
    connect(m_hostPage, &HostListPage::selectorTextChanged, this,
            [selector](const QString &text) { selector->set(text.toStdString()); });
    connect(m_hostPage, &HostListPage::pageChosen, this, [this, selector] {
        // The picked page, whatever order the box reports its changes in.
        selector->set(m_hostPage->selectorText().toStdString());
        reloadHostList();
    });
    // The finance page handles its own selector; the window asks it for page "1".
    connect(this, &MainWindow::financePageRequested, m_financePage, &FinancePage::loadFinancePage);
    connect(this, &MainWindow::catalogueRequested, m_cataloguePage,
            &CataloguePage::loadProductTypes, Qt::QueuedConnection);
}

void MainWindow::startSignInWatcher()
{
    if (m_watcherStarted)
        return;
    m_watcherStarted = true;
    std::shared_ptr<Background> background = m_background;
    SignInWatcher::start(background->generation, [background] { initialise(background); });
}

void MainWindow::initialiseMainWindow()
{
    initialise(m_background);
}

// The steps after a sign-in, in their order. The GUI steps are posted, so they run in this
// order on the GUI thread; the loops start on workers of their own.
void MainWindow::initialise(const std::shared_ptr<Background> &background)
{
    AppSession &session = AppSession::instance();
    session.setSessionStopped(false);
    const int generation = background->generation->advance();
    background->post([](MainWindow &window) { window.prepareForSession(); });
    startRefreshLoop(background, generation);
    background->post([](MainWindow &window) { window.startSessionContent(); });
    startTipRotation(background, generation);
    startAnnouncement(background, generation);
    background->post([](MainWindow &window) { window.presentWindow(); });
    session.setSignedInFlag(false);
}

// The icon, the service's pictures and help line, the navigation and the selector.
void MainWindow::prepareForSession()
{
    const AppSession &session = AppSession::instance();
    m_tray->showIcon();
    m_logo->setImageBytes(bytes(session.logoImage()));
    m_servicePage->setContactImages(bytes(session.vxImage()), bytes(session.vx2Image()));
    m_servicePage->setHelpText(fromStd(session.helpText()));
    rebuildNavigation();
    showPage(HostsEntry);
    m_hostPage->setSelectorText(QStringLiteral("1"));
    // The host list is current now, so it shows its hosts now, not after the first refresh.
    reloadHostList();
}

// The finance records, the menus and the catalogue.
void MainWindow::startSessionContent()
{
    emit financePageRequested(QStringLiteral("1"));
    buildHostContextMenu();
    m_tray->rebuildMenu();
    emit catalogueRequested();
}

void MainWindow::presentWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    emit initialised();
}

void MainWindow::buildHostContextMenu()
{
    HostActionsContext context;
    context.parent = this;
    context.realNameText = [] {
        return QString::fromStdString(UserProfile::instance().realNameText());
    };
    context.reloadHostList = hostListReloader();
    context.openProfile = [this] { openProfileWindow(); };
    context.renew = [this](const HostRow &row) {
        OrdersContext orders;
        orders.balanceText = [] {
            return QString::fromStdString(UserProfile::instance().balanceText());
        };
        orders.reloadHostList = hostListReloader();
        // The dialog names the host by the address the list shows; the name column holds
        // the after-sales contact, the same for many hosts.
        auto *renew = new RenewWindow(QString::fromStdString(row.id),
                                      QString::fromStdString(row.address), orders, this);
        renew->open();
    };
    cloud::buildHostContextMenu(hostTable(), std::move(context));
}

void MainWindow::startRefreshLoop(const std::shared_ptr<Background> &background, int generation)
{
    Workers::start([background, generation] {
        SessionGeneration &owner = *background->generation;
        SessionGeneration::LoopScope scope(owner, SessionGeneration::RefreshLoop);
        AccountRefreshLoop::Hooks hooks;
        hooks.current = [&owner, generation] { return owner.current(generation); };
        hooks.checkSession = [] {
            const AppSession &session = AppSession::instance();
            return keySignInRequest(session.accountName(), session.accountPassword());
        };
        hooks.loadUserName = [] { return loadUserName(); };
        hooks.loadProfile = [] { return loadUserProfile(); };
        hooks.showUserName = [background](const std::string &name) {
            background->post(
                [text = fromStd(name)](MainWindow &window) { window.m_userName->setText(text); });
        };
        hooks.reloadHostList = [background] { background->loader->request(); };
        hooks.networkFailed = [background] {
            background->post([](MainWindow &window) { window.networkFailed(); });
        };
        AccountRefreshLoop(std::move(hooks)).run();
    });
}

void MainWindow::startTipRotation(const std::shared_ptr<Background> &background, int generation)
{
    Workers::start([background, generation] {
        SessionGeneration &owner = *background->generation;
        SessionGeneration::LoopScope scope(owner, SessionGeneration::TipRotation);
        TipRotation::Hooks hooks;
        hooks.running = [&owner, generation] { return owner.running(generation); };
        hooks.showTip = [background](const std::string &tip) {
            background->post(
                [text = fromStd(tip)](MainWindow &window) { window.m_hostPage->setTip(text); });
        };
        hooks.fetchTips = [] {
            return ApiClient::fromSession().getText(std::string(api::kClientInfo) +
                                                    std::string(api::kActTips));
        };
        TipRotation(std::move(hooks)).run();
    });
}

void MainWindow::startAnnouncement(const std::shared_ptr<Background> &background, int generation)
{
    Workers::start([background, generation] {
        const std::string text = ApiClient::fromSession().getText(
            std::string(api::kClientInfo) + std::string(api::kActAnnouncement));
        if (text.empty() || !background->generation->current(generation))
            return;
        background->post([message = fromStd(text)](MainWindow &window) {
            MessageBox::skinned(&window, QStringLiteral("公告"), message);
        });
    });
}

void MainWindow::networkFailed()
{
    MessageBox::information(this, QStringLiteral("网络连接失败，请重新登录！"));
    quitProgram();
}

void MainWindow::reloadHostList()
{
    m_background->loader->request();
}

std::function<void()> MainWindow::hostListReloader() const
{
    std::shared_ptr<Background> background = m_background;
    return [background] { background->loader->request(); };
}

std::optional<HostRow> MainWindow::selectedHost() const
{
    return m_hostPage->selectedHost();
}

int MainWindow::selectedHostRow() const
{
    return m_hostPage->selectedRow();
}

QTableWidget *MainWindow::hostTable() const
{
    return m_hostPage->hostTable();
}

void MainWindow::showPage(int page)
{
    m_tabBox->setCurrentIndex(page);
    m_navList->setCurrentRow(page);
}

// An account without real-name verification is sent to its profile instead.
bool MainWindow::realNameGate()
{
    if (!UserProfile::instance().isUnverified())
        return false;
    m_navList->setCurrentRow(m_tabBox->currentIndex());
    MessageBox::information(this, QStringLiteral("您还未实名认证，请先进行实名"));
    openProfileWindow();
    return true;
}

// The session check of a navigation click; its answer changes nothing.
void MainWindow::checkSessionInBackground()
{
    Workers::start([] {
        const AppSession &session = AppSession::instance();
        keySignInRequest(session.accountName(), session.accountPassword());
    });
}

void MainWindow::onNavigate(int index)
{
    switch (index) {
    case HostsEntry:
        if (realNameGate())
            return;
        showPage(HostsEntry);
        checkSessionInBackground();
        reloadHostList();
        return;
    case FinanceEntry:
        checkSessionInBackground();
        emit financePageRequested(QStringLiteral("1"));
        showPage(FinanceEntry);
        return;
    case BuyEntry:
        checkSessionInBackground();
        showPage(BuyEntry);
        return;
    case ServiceEntry:
        showPage(ServiceEntry);
        checkSessionInBackground();
        return;
    case CardEntry:
        if (realNameGate())
            return;
        showPage(CardEntry);
        checkSessionInBackground();
        return;
    default:
        return;
    }
}

ProfileWindow *MainWindow::profileWindow() const
{
    return m_profile;
}

void MainWindow::openProfileWindow()
{
    if (m_profile) {
        m_profile->raise();
        m_profile->activateWindow();
        return;
    }
    m_profile = ProfileWindow::open(this);
}

QUrl MainWindow::helpSiteUrl() const
{
    if (!m_helpSite.isEmpty())
        return QUrl(m_helpSite);
    return QUrl(fromStd(AppSession::instance().baseUrl()) + QStringLiteral("/"));
}

void MainWindow::openHelpSite()
{
    const QUrl site = helpSiteUrl();
    const QString scheme = site.scheme().toLower();
    // The address comes from settings and the service; only web pages are handed on.
    if (!site.isValid() || site.host().isEmpty() ||
        (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")))
        return;
    QDesktopServices::openUrl(site);
}

void MainWindow::signOut()
{
    if (m_background->signingOut.exchange(true))
        return;
    m_tray->removeIcon();
    if (m_login) {
        m_login->signInButton()->setEnabled(true);
        m_login->signInButton()->setText(QStringLiteral("登录"));
    }
    std::shared_ptr<Background> background = m_background;
    Workers::start([background] {
        signOutRequest();
        AppSession::instance().setSessionStopped(true);
        background->generation->advance();
        // Gives the session's loops the time to see the flag and end.
        Pacing::instance().pause(std::chrono::seconds(2));
        background->post([](MainWindow &window) { window.finishSignOut(); });
    });
}

void MainWindow::finishSignOut()
{
    if (m_login)
        m_login->show();
    hide();
    m_background->signingOut = false;
    emit signedOut();
}

void MainWindow::quitProgram()
{
    m_tray->removeIcon();
    if (isSignalConnected(QMetaMethod::fromSignal(&MainWindow::quitRequested)))
        emit quitRequested();
    else
        QCoreApplication::quit();
}

void MainWindow::onCloseLabel()
{
    quitProgram();
}

// With a notification area the window goes there; without one it stays on the task bar.
void MainWindow::minimise()
{
    if (MainTray::available())
        hide();
}

void MainWindow::toggleFromTray()
{
    if (isVisible() && !isMinimized()) {
        hide();
        return;
    }
    showNormal();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    raise();
    activateWindow();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    SkinnedWindow::paintEvent(event);
    // A darker side bar behind the user's picture and the navigation list.
    QPainter painter(this);
    const QRect bar(1, 1, 149, height() - 2);
    painter.fillRect(bar, QColor(0, 0, 0, 46));
    painter.setPen(QColor(255, 255, 255, 14));
    painter.drawLine(bar.topRight(), bar.bottomRight());
}

} // namespace cloud
