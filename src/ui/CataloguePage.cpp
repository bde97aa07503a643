#include "ui/CataloguePage.h"

#include "ui/BusyIndicator.h"
#include "ui/PageControls.h"
#include "ui/ReportList.h"

#include <QPushButton>

namespace cloud {

using namespace PageControls;

CataloguePage::CataloguePage(ProgressPhase &phase, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("购买产品页"));
    label(QStringLiteral("标签EX12"), QStringLiteral("产品类型："), QRect(0, 62, 76, 30), this);
    m_types = dropDown(QStringLiteral("类型选择框"), QRect(78, 62, 190, 30), this);
    label(QStringLiteral("标签EX13"), QStringLiteral("地区线路："), QRect(290, 62, 76, 30), this);
    m_regions = dropDown(QStringLiteral("地区选择框"), QRect(368, 62, 190, 30), this);

    // Column 6 (width 0) keeps the product identifier that the purchase reads.
    m_products = new ReportList(QStringLiteral("超级列表框EX3"),
                                {{"产品型号", 130},
                                 {"CPU", 60},
                                 {"内存", 60},
                                 {"硬盘", 60},
                                 {"带宽", 80},
                                 {"价格", 80},
                                 {"ID", 0},
                                 {"货源", 80},
                                 {"类型", 80}},
                                this);
    m_products->setGeometry(0, 104, 722, 274);

    label(QStringLiteral("标签EX14"),
          QStringLiteral("提示：挂机宝、云电脑均为共享IP，禁止用于公网业务、以及其他违规业务"),
          QRect(0, 384, 560, 28), this);
    m_buy = new QPushButton(QStringLiteral("购买"), this);
    m_buy->setObjectName(QStringLiteral("购买按钮"));
    m_buy->setGeometry(582, 380, 140, 36);
    m_buy->setCursor(Qt::PointingHandCursor);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框登录进度1"), QStringLiteral("时钟2"),
                                       phase, m_buy);
}

} // namespace cloud
