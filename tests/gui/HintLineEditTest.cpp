#include "GuiTestEnvironment.h"

#include "ui/HintLineEdit.h"
#include "ui/SkinArt.h"

#include <QFocusEvent>

#include <vector>

namespace cloud::test {
namespace {

using Masking = HintLineEdit::Masking;

struct Step
{
    enum Kind { FocusIn, FocusOut, Type, SetValue } kind;
    QString text;
};

struct HintCase
{
    const char *name;
    Masking masking;
    std::vector<Step> steps;
    QString expectedText;
    QLineEdit::EchoMode expectedEcho;
    bool expectedHint;
};

void run(HintLineEdit &edit, const Step &step)
{
    switch (step.kind) {
    case Step::FocusIn: {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &in);
        break;
    }
    case Step::FocusOut: {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &out);
        break;
    }
    case Step::Type:
        // One key event per character, carrying its text (QTest knows only ASCII keys).
        for (const QChar ch : step.text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(&edit, &press);
        }
        break;
    case Step::SetValue:
        edit.setValue(step.text);
        break;
    }
}

const Step in{Step::FocusIn, {}};
const Step out{Step::FocusOut, {}};
Step type(const char *text)
{
    return {Step::Type, QString::fromUtf8(text)};
}
Step value(const char *text)
{
    return {Step::SetValue, QString::fromUtf8(text)};
}

const QString hint = QStringLiteral("密码");
constexpr auto Normal = QLineEdit::Normal;
constexpr auto Password = QLineEdit::Password;

const HintCase hintCases[] = {
    {"untouched masked box shows its hint in clear", Masking::MaskTyped, {}, hint, Normal, true},
    {"entering a masked box empties it and masks", Masking::MaskTyped, {in}, {}, Password, false},
    {"entering an unmasked box never masks", Masking::Never, {in}, {}, Normal, false},
    {"leaving an empty masked box brings the hint back unmasked",
     Masking::MaskTyped,
     {in, out},
     hint,
     Normal,
     true},
    {"typed password stays masked after leaving",
     Masking::MaskTyped,
     {in, type("abc"), out},
     QStringLiteral("abc"),
     Password,
     false},
    {"re-entering a filled box keeps its text",
     Masking::MaskTyped,
     {in, type("abc"), out, in},
     QStringLiteral("abc"),
     Password,
     false},
    {"typing exactly the hint behaves like an untouched box on re-entry",
     Masking::MaskTyped,
     {in, type("密码"), out, in},
     {},
     Password,
     false},
    {"typed hint text is kept (and read as the hint) while outside",
     Masking::MaskTyped,
     {in, type("密码"), out},
     hint,
     Password,
     false},
    {"unmasked box with typed text changes only text and colour",
     Masking::Never,
     {in, type("a1"), out, in, out},
     QStringLiteral("a1"),
     Normal,
     false},
    {"restored password is masked and white",
     Masking::MaskTyped,
     {value("p1")},
     QStringLiteral("p1"),
     Password,
     false},
    {"restored empty value replaces the hint",
     Masking::MaskTyped,
     {value("")},
     {},
     Password,
     false},
    {"leaving a restored empty box shows the hint",
     Masking::MaskTyped,
     {value(""), in, out},
     hint,
     Normal,
     true},
};

void checkCase(const HintCase &c)
{
    HintLineEdit edit(QStringLiteral("box"), hint, c.masking, nullptr);
    for (const Step &step : c.steps)
        run(edit, step);
    EXPECT_EQ(edit.text(), c.expectedText);
    EXPECT_EQ(edit.echoMode(), c.expectedEcho);
    EXPECT_EQ(edit.isShowingHint(), c.expectedHint);
    const QColor colour = c.expectedHint ? SkinColours::hintText : SkinColours::typedText;
    EXPECT_EQ(edit.textColour(), colour);
    // The skin really paints the box in that colour.
    edit.ensurePolished();
    EXPECT_EQ(edit.palette().color(QPalette::Text).rgb(), colour.rgb());
}

TEST_F(GuiTest, HintLineEditFollowsFocusAndTyping)
{
    for (const HintCase &c : hintCases) {
        SCOPED_TRACE(c.name);
        checkCase(c);
    }
}

TEST_F(GuiTest, HintLineEditPlainSetTextIsNotGreyedAsHint)
{
    HintLineEdit edit(QStringLiteral("box"), QStringLiteral("用户名/账号"), Masking::Never,
                      nullptr);
    edit.setText(QStringLiteral("a1"));
    EXPECT_FALSE(edit.isShowingHint());
    EXPECT_EQ(edit.textColour(), SkinColours::typedText);
}

TEST_F(GuiTest, HintLineEditReportsEnterReleaseOnlyForEnterKeys)
{
    HintLineEdit edit(QStringLiteral("box"), QStringLiteral("密码"), Masking::MaskTyped, nullptr);
    int released = 0;
    QObject::connect(&edit, &HintLineEdit::enterReleased, [&] { ++released; });
    QTest::keyPress(&edit, Qt::Key_Return);
    EXPECT_EQ(released, 0) << "the press alone is not the trigger";
    QTest::keyRelease(&edit, Qt::Key_Return);
    QTest::keyRelease(&edit, Qt::Key_Enter);
    QTest::keyRelease(&edit, Qt::Key_A);
    EXPECT_EQ(released, 2);
}

} // namespace
} // namespace cloud::test
