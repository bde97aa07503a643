#pragma once

#include <string_view>

// Every path of the service API, after the base URL ("http://" + API host).
namespace cloud::api {

// Client information: "/khd?act=" + one of the acts.
inline constexpr std::string_view kClientInfo = "/khd?act=";
inline constexpr std::string_view kActVersion = "ver";
inline constexpr std::string_view kActTitle = "biaoti";
inline constexpr std::string_view kActHelp = "help";
inline constexpr std::string_view kActTips = "gg";
inline constexpr std::string_view kActAnnouncement = "tcgg";

inline constexpr std::string_view kLogoImage = "/img/logo.png";
inline constexpr std::string_view kVxImage = "/img/vx.png";
inline constexpr std::string_view kVx2Image = "/img/vx2.png";

// Account.
inline constexpr std::string_view kLoginPost = "/user/loginpost";
inline constexpr std::string_view kKeyLogin = "/user/khdloginpd";
inline constexpr std::string_view kRegister = "/user/data/Register?act=reg";
inline constexpr std::string_view kSmsCode = "/user/data/Register?act=yzm";
inline constexpr std::string_view kRecoverPassword = "/page/GetPasswd/GetPasswd";
inline constexpr std::string_view kRecoveryReferer = "/page/Getpasswd/";
inline constexpr std::string_view kRecoveryPage = "/user/findpwd/index.html";
inline constexpr std::string_view kCaptcha = "/user/captcha?id=";
inline constexpr std::string_view kLogout = "/user/logout.asp";
inline constexpr std::string_view kLogoutReferer = "/user/cloud-logininfo.asp";

// Hosts.
inline constexpr std::string_view kHostList = "/user/data/vpslist?page=";
inline constexpr std::string_view kHostListTail = "&limit=5&ljs=1";
inline constexpr std::string_view kHostRestart = "/user/data/vpscz?id=";
inline constexpr std::string_view kHostRestartTail = "&cz=reset";
inline constexpr std::string_view kHostRefund = "/user/ajax_tk_mng.asp?module=sqtk&id=";
inline constexpr std::string_view kHostRemark = "/user/data/vpsbz";
inline constexpr std::string_view kHostOsList = "/user/VPSIDos";
inline constexpr std::string_view kHostInstall = "/user/data/installos";
inline constexpr std::string_view kHostPassword = "/user/data/vpspassword";

// Catalogue and orders.
inline constexpr std::string_view kRegionByName = "/user/xlmchq";
inline constexpr std::string_view kProductTypes = "/user/cplxlist";
inline constexpr std::string_view kRegions = "/user/xllist";
inline constexpr std::string_view kProducts = "/user/ycplist";
inline constexpr std::string_view kProductPrices = "/user/ycpjgb";
inline constexpr std::string_view kProductOs = "/user/ycpos";
inline constexpr std::string_view kBuy = "/user/data/buy";
inline constexpr std::string_view kRenewPrices = "/user/xfjgb";
inline constexpr std::string_view kRenew = "/user/data/xfbuy";

// Account finance and profile.
inline constexpr std::string_view kUserName = "/user/data/usernmae";
inline constexpr std::string_view kUserInfo = "/user/userinfo";
inline constexpr std::string_view kMoneyList = "/user/data/moneylist?page=";
inline constexpr std::string_view kMoneyListTail = "&limit=5";
inline constexpr std::string_view kOnlineTopUp = "/user/zfbzf";
inline constexpr std::string_view kCardTopUp = "/user/pay/czkzf";
inline constexpr std::string_view kRealName = "/user/sm2";

// Reply codes shared by several endpoints.
inline constexpr std::string_view kCodeSuccess = "1000";
inline constexpr std::string_view kCodeMaintenance = "500";
inline constexpr std::string_view kStatusSuccess = "200";

} // namespace cloud::api
