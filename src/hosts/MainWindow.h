#pragma once

#include "hosts/HostRecord.h"
#include "orders/MainProgress.h"
#include "ui/ProgressPhase.h"
#include "ui/SkinnedWindow.h"

#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QStackedWidget;
class QTableWidget;

namespace cloud {

class CardTopUpPage;
class CataloguePage;
class FinancePage;
class HostListPage;
class HoverLabel;
class LoginWindow;
class MainTray;
class PictureBox;
class ProfileWindow;
class SessionGeneration;
class ServicePage;

// The working window after sign-in (900 × 500): the user's name and picture, the navigation
// list `列表框EX1` with five entries, the tab box `选择夹EX1` with the host list, the finance
// records, the catalogue, the customer service and the card top-up, the links "帮助" and
// "设置", and the notification-area icon.
//
// Created hidden at start-up; its sign-in watcher runs initialiseMainWindow() after every
// sign-in. The session's background loops (refresh loop, tip rotation) run on workers and
// end with the session: on a sign-out, a failed session check, a new sign-in, the window's
// destruction or the end of the program.
class MainWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    enum Entry { HostsEntry = 0, FinanceEntry = 1, BuyEntry = 2, ServiceEntry = 3, CardEntry = 4 };

    explicit MainWindow(LoginWindow *loginWindow, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Starts the watcher (once; later calls do nothing).
    void startSignInWatcher();
    // The initialisation after a sign-in, from any thread; the watcher runs it on its worker.
    // Ends by showing the window and clearing `signedInFlag`.
    void initialiseMainWindow();

    // A click on navigation entry `index`.
    void onNavigate(int index);
    // "注销登录": back to the LoginWindow. Refused while a sign-out runs.
    void signOut();
    // "退出程序" and the close label: removes the icon and asks the program to end.
    void quitProgram();

    // Loads the page the selector shows, on a worker. Loads never overlap: a request made
    // while one runs is served by one more load after it.
    void reloadHostList();
    // The same as a function that workers may keep and call from any thread, also after
    // the window is gone (it then does nothing).
    std::function<void()> hostListReloader() const;
    // The selected row of the host list; nothing when no row is selected.
    std::optional<HostRow> selectedHost() const;
    int selectedHostRow() const;

    // The real-name gate: for an account whose real-name text is "未实名" it shows
    // "您还未实名认证，请先进行实名", opens the ProfileWindow and returns true (the action is
    // refused); otherwise returns false.
    bool realNameGate();
    // Opens the ProfileWindow (modal), or raises the one already open.
    void openProfileWindow();
    // "帮助": the service's web site in the browser. Only http and https addresses open.
    void openHelpSite();
    // The web site address; empty text means the service's home page (baseUrl + "/").
    void setHelpSiteUrl(const QString &url) { m_helpSite = url; }
    QUrl helpSiteUrl() const;

    // Builds the host list's context menu; run by every initialisation. Empty for now.
    void buildHostContextMenu();

    HostListPage *hostListPage() const { return m_hostPage; }
    QTableWidget *hostTable() const;
    FinancePage *financePage() const { return m_financePage; }
    CataloguePage *cataloguePage() const { return m_cataloguePage; }
    ServicePage *servicePage() const { return m_servicePage; }
    CardTopUpPage *cardPage() const { return m_cardPage; }
    QListWidget *navList() const { return m_navList; }
    QStackedWidget *tabBox() const { return m_tabBox; }
    HoverLabel *userNameLabel() const { return m_userName; }
    PictureBox *userPicture() const { return m_userPicture; }
    MainTray *tray() const { return m_tray; }
    HoverLabel *windowMenuLabel() const { return m_menuLabel; }
    // The open ProfileWindow; null when none is open.
    ProfileWindow *profileWindow() const;
    // The phase the purchase and the card top-up indicators share.
    ProgressPhase &mainProgressPhase() { return MainProgress::phase(); }
    const SessionGeneration &sessionGeneration() const;

signals:
    // "设置": the remote desktop settings window is wanted.
    void remoteSettingsRequested();
    // A page of the finance records is wanted ("1" after sign-in and from the navigation,
    // the selector's text when the user picks a page).
    void financePageRequested(const QString &pageText);
    // The product catalogue is to be loaded (after every sign-in).
    void catalogueRequested();
    // The program is to end; when nobody listens, the application quits.
    void quitRequested();
    // The initialisation has shown the window.
    void initialised();
    // A sign-out is complete: the LoginWindow is back.
    void signedOut();

protected:
    void onCloseLabel() override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Background;

    void createTopBar();
    void createNavigation();
    void createPages();
    void createTray();
    void connectPages();
    void rebuildNavigation();
    void showPage(int page);
    void minimise();
    void toggleFromTray();

    // The GUI parts of the initialisation, in order.
    void prepareForSession();
    void startSessionContent();
    void presentWindow();
    void finishSignOut();
    void networkFailed();

    static void initialise(const std::shared_ptr<Background> &background);
    static void startRefreshLoop(const std::shared_ptr<Background> &background, int generation);
    static void startTipRotation(const std::shared_ptr<Background> &background, int generation);
    static void startAnnouncement(const std::shared_ptr<Background> &background, int generation);
    static void checkSessionInBackground();

    QPointer<LoginWindow> m_login;
    std::shared_ptr<Background> m_background;
    ProgressPhase m_phase;
    QString m_helpSite;
    bool m_watcherStarted = false;

    PictureBox *m_userPicture = nullptr;
    HoverLabel *m_userName = nullptr;
    PictureBox *m_logo = nullptr;
    HoverLabel *m_menuLabel = nullptr;
    QListWidget *m_navList = nullptr;
    QStackedWidget *m_tabBox = nullptr;
    HostListPage *m_hostPage = nullptr;
    FinancePage *m_financePage = nullptr;
    CataloguePage *m_cataloguePage = nullptr;
    ServicePage *m_servicePage = nullptr;
    CardTopUpPage *m_cardPage = nullptr;
    MainTray *m_tray = nullptr;
    QPointer<ProfileWindow> m_profile;
};

} // namespace cloud
