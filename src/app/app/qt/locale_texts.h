#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// What the user's locale says about numbers and dates, in the forms the editor takes them.
namespace vantorel {

// The locale's decimal separator as one character; "." where the locale's is not one character
// that the number texts can hold and read back (DecimalSeparatorFromLocale).
char LocaleDecimalSeparator(const QLocale& locale);

// The short date, a blank and the long time without its time zone; only the date when the time
// is exactly midnight.
QString LocaleDateTimeText(const QLocale& locale, const QDateTime& when);

}  // namespace vantorel
