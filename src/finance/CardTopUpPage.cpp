#include "finance/CardTopUpPage.h"

#include "app/Pacing.h"
#include "finance/CardTopUpRequest.h"
#include "ui/BusyIndicator.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/PictureBox.h"
#include "ui/SkinArt.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace cloud {
namespace {

using namespace std::chrono_literals;

constexpr int groupWidth = 380;
constexpr int iconSide = 22;
constexpr int editX = 34;
constexpr int editHeight = 42;
constexpr int rowStep = 56;

// The outcome animations last about half a second; a purchase that takes over the
// shared phase meanwhile could keep them from ever ending, so the wait has a bound.
constexpr int outcomePollMs = 40;
constexpr int outcomePollLimit = 50;

const char *const kPageStyle = R"(
QFrame#分组框卡密激活 { background: transparent; }
QLabel#标签卡密激活标题 { color: #FFFFFF; font-size: 20px; font-weight: bold; }
QLabel#标签卡密激活说明 { color: #9AA4B8; font-size: 13px; }
)";

QImage icon(qreal ratio, const std::function<void(QPainter &)> &draw)
{
    QImage image(QSize(iconSide, iconSide) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SkinColours::accent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    return image;
}

// A card with its magnetic stripe.
QImage cardIcon(qreal ratio)
{
    return icon(ratio, [](QPainter &p) {
        p.drawRoundedRect(QRectF(2, 5, 18, 13), 2.5, 2.5);
        p.drawLine(QPointF(2.5, 9), QPointF(19.5, 9));
        p.drawLine(QPointF(5, 14.5), QPointF(9, 14.5));
    });
}

// A key.
QImage keyIcon(qreal ratio)
{
    return icon(ratio, [](QPainter &p) {
        p.drawEllipse(QRectF(2.5, 7.5, 7, 7));
        p.drawLine(QPointF(9.5, 11), QPointF(19.5, 11));
        p.drawLine(QPointF(16.5, 11), QPointF(16.5, 14.5));
        p.drawLine(QPointF(19.5, 11), QPointF(19.5, 14.5));
    });
}

} // namespace

CardTopUpPage::CardTopUpPage(ProgressPhase &phase, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CardTopUpPage"));
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QString::fromUtf8(kPageStyle));
    resize(722, 418);
    createGroup();
    createEdits();
    createButton(phase);
}

void CardTopUpPage::createGroup()
{
    auto *title = new QLabel(QStringLiteral("卡密激活"), this);
    title->setObjectName(QStringLiteral("标签卡密激活标题"));
    title->setGeometry((width() - groupWidth) / 2, 58, groupWidth, 30);
    auto *note = new QLabel(QStringLiteral("输入充值卡的卡号与卡密，面值将充入账户余额"), this);
    note->setObjectName(QStringLiteral("标签卡密激活说明"));
    note->setGeometry(title->x(), 92, groupWidth, 22);
    m_group = new QFrame(this);
    m_group->setObjectName(QStringLiteral("分组框卡密激活"));
    m_group->setGeometry(title->x(), 132, groupWidth, 2 * rowStep + 44);
}

void CardTopUpPage::createEdits()
{
    using Masking = HintLineEdit::Masking;
    const int editWidth = groupWidth - editX;
    m_cardNumber = new HintLineEdit(QStringLiteral("编辑框卡号"), QStringLiteral("卡号"),
                                    Masking::Never, m_group);
    m_cardNumber->setGeometry(editX, 0, editWidth, editHeight);
    m_cardPassword = new HintLineEdit(QStringLiteral("编辑框卡密"), QStringLiteral("卡密"),
                                      Masking::Never, m_group);
    m_cardPassword->setGeometry(editX, rowStep, editWidth, editHeight);
    // Tab goes back and forth between the two boxes.
    m_cardNumber->setTabTarget(m_cardPassword);
    m_cardPassword->setTabTarget(m_cardNumber);

    const qreal ratio = devicePixelRatioF();
    const int iconY = (editHeight - iconSide) / 2;
    m_cardIcon = new PictureBox(QStringLiteral("图片框EX5"), m_group);
    m_cardIcon->setGeometry(0, iconY, iconSide, iconSide);
    m_cardIcon->setImage(cardIcon(ratio));
    m_passwordIcon = new PictureBox(QStringLiteral("图片框EX7"), m_group);
    m_passwordIcon->setGeometry(0, rowStep + iconY, iconSide, iconSide);
    m_passwordIcon->setImage(keyIcon(ratio));
}

void CardTopUpPage::createButton(ProgressPhase &phase)
{
    m_button = new QPushButton(QString::fromUtf8(CardTopUpRequest::kIdleCaption), m_group);
    m_button->setObjectName(QStringLiteral("按钮打码登录2"));
    m_button->setGeometry(editX, 2 * rowStep, groupWidth - editX, 44);
    m_button->setCursor(Qt::PointingHandCursor);
    // A focused button that is disabled hands the focus on to the card box, which
    // would take its hint for typed text and drop it.
    m_button->setFocusPolicy(Qt::NoFocus);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框登录进度"), QStringLiteral("时钟1"),
                                       phase, m_button);
    connect(m_button, &QPushButton::clicked, this, [this] { redeemCard(); });
}

bool CardTopUpPage::redeemCard()
{
    if (m_running)
        return false;
    m_running = true;
    m_button->setEnabled(false);
    Workers::start([page = QPointer<QObject>(this), cardNumber = m_cardNumber->text().toStdString(),
                    cardPassword = m_cardPassword->text().toStdString()] {
        runRedemption(page, cardNumber, cardPassword);
    });
    return true;
}

// Control writes of the flow, in order; dropped once the page is gone.
void CardTopUpPage::onPage(QPointer<QObject> page, std::function<void(CardTopUpPage &)> write)
{
    postToGui(page, [page, write = std::move(write)] {
        write(*static_cast<CardTopUpPage *>(page.data()));
    });
}

// The redemption as the user sees it: busy caption, the request, a short random pause,
// the outcome on the button for a second, then the button back as it was.
void CardTopUpPage::runRedemption(QPointer<QObject> page, std::string cardNumber,
                                  std::string cardPassword)
{
    Pacing &pacing = Pacing::instance();
    const int failPause = pacing.randomBetween(500, 1500);
    const int okPause = pacing.randomBetween(300, 1000);
    onPage(page, [](CardTopUpPage &p) { p.showBusy(); });
    const CardTopUpRequest::Outcome &outcome =
        CardTopUpRequest::outcomeOf(CardTopUpRequest::send(cardNumber, cardPassword));
    pacing.pause(std::chrono::milliseconds(outcome.success ? okPause : failPause));
    onPage(page, [&outcome](CardTopUpPage &p) { p.showOutcome(outcome); });
    pacing.pause(1000ms);
    waitForOutcomeEnd(page, outcome.success);
    onPage(page, [](CardTopUpPage &p) { p.finishRedemption(); });
}

void CardTopUpPage::waitForOutcomeEnd(QPointer<QObject> page, bool success)
{
    for (int poll = 0; poll < outcomePollLimit && !Workers::stopping(); ++poll) {
        const std::optional<bool> ended = readFromGui<bool>(page, [page, success] {
            return static_cast<CardTopUpPage *>(page.data())->outcomeEnded(success);
        });
        if (!ended || *ended)
            return;
        Pacing::instance().pause(std::chrono::milliseconds(outcomePollMs));
    }
}

void CardTopUpPage::showBusy()
{
    m_busy->startBusy();
    m_button->setText(QString::fromUtf8(CardTopUpRequest::kBusyCaption));
}

void CardTopUpPage::showOutcome(const CardTopUpRequest::Outcome &outcome)
{
    if (outcome.success)
        m_busy->showSuccess();
    else
        m_busy->showFailure();
    m_button->setText(QString::fromUtf8(outcome.caption));
}

bool CardTopUpPage::outcomeEnded(bool success) const
{
    return success ? m_busy->successEnded() : m_busy->failureEnded();
}

void CardTopUpPage::finishRedemption()
{
    m_busy->hide();
    m_button->setText(QString::fromUtf8(CardTopUpRequest::kIdleCaption));
    m_button->setEnabled(true);
    m_running = false;
    emit redemptionFinished();
}

} // namespace cloud
