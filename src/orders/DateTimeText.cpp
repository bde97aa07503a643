#include "orders/DateTimeText.h"

#include <QLocale>

#include <array>

namespace cloud {
namespace {

struct Pictures
{
    const char16_t *date;
    const char16_t *time;
    const char16_t *monthDay;
    const char16_t *hourMinute;
    const char16_t *minuteSecond;
};

// The date pictures of styles 0 to 2 end with the blank that separates date and time.
constexpr std::array<Pictures, 4> kStyles{{
    {u"yyyy年MM月dd日 ", u"hh时mm分ss秒", u"MM月dd日", u"hh时mm分", u"mm分ss秒"},
    {u"yyyy-MM-dd ", u"hh:mm:ss", u"MM-dd", u"hh:mm", u"mm:ss"},
    {u"yyyy/MM/dd ", u"hh/mm/ss", u"MM/dd", u"hh/mm", u"mm/ss"},
    {u"yyyyMMdd", u"hhmmss", u"MMdd", u"hhmm", u"mmss"},
}};

QString number(int value, int run)
{
    return run >= 2 ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'))
                    : QString::number(value);
}

QString dateField(const QDate &date, QChar letter, int run)
{
    const QLocale locale = QLocale::system();
    if (letter == u'y')
        return run >= 3 ? QString::number(date.year()) : number(date.year() % 100, run);
    if (letter == u'M')
        return run >= 3 ? locale.monthName(date.month(),
                                           run == 3 ? QLocale::ShortFormat : QLocale::LongFormat)
                        : number(date.month(), run);
    if (letter == u'd')
        return run >= 3 ? locale.dayName(date.dayOfWeek(),
                                         run == 3 ? QLocale::ShortFormat : QLocale::LongFormat)
                        : number(date.day(), run);
    return {};
}

QString timeField(const QTime &time, QChar letter, int run)
{
    if (letter == u'H')
        return number(time.hour(), run);
    if (letter == u'h')
        return number(time.hour() % 12 == 0 ? 12 : time.hour() % 12, run);
    if (letter == u'm')
        return number(time.minute(), run);
    if (letter == u's')
        return number(time.second(), run);
    return {};
}

// Replaces every run of a field letter by its value; a date picture knows y, M and d, a
// time picture h, H, m and s, as the system's date and time formatters do.
QString render(const QString &picture, const QDateTime &value, bool datePicture)
{
    const QString letters = datePicture ? QStringLiteral("yMd") : QStringLiteral("hHms");
    QString out;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture.at(i);
        if (!letters.contains(c)) {
            out += c;
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < picture.size() && picture.at(i + run) == c)
            ++run;
        out += datePicture ? dateField(value.date(), c, run) : timeField(value.time(), c, run);
        i += run;
    }
    return out;
}

} // namespace

bool systemUses24HourClock()
{
    return QLocale::system().timeFormat(QLocale::ShortFormat).contains(u'H');
}

QString formatDateTime(const std::optional<QDateTime> &value, int style, int part, int hourMode)
{
    const QDateTime when = value ? *value : QDateTime::currentDateTime();
    const Pictures &pictures = kStyles[style >= 0 && style <= 3 ? style : 0];
    QString date;
    QString time;
    switch (part) {
    case 1:
        date = QString::fromUtf16(pictures.date).trimmed();
        break;
    case 2:
        date = QString::fromUtf16(pictures.monthDay);
        break;
    case 3:
        time = QString::fromUtf16(pictures.time);
        break;
    case 4:
        time = QString::fromUtf16(pictures.hourMinute);
        break;
    case 5:
        time = QString::fromUtf16(pictures.minuteSecond);
        break;
    default:
        date = QString::fromUtf16(pictures.date);
        time = QString::fromUtf16(pictures.time);
    }
    const bool use24 = hourMode == 2 || (hourMode != 1 && systemUses24HourClock());
    if (use24)
        time.replace(QStringLiteral("hh"), QStringLiteral("HH"));
    return render(date, when, true) + render(time, when, false);
}

QString dateText(const QDateTime &value)
{
    return formatDateTime(value, 0, 1, 2);
}

} // namespace cloud
