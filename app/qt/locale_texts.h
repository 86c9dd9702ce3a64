#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// What the user's locale says about numbers and dates, in the forms the editor takes them.
namespace vantorel {

// The locale's decimal separator as one character; "." where the locale's is no single ASCII
// character, which the editor's number texts could not hold.
char LocaleDecimalSeparator(const QLocale& locale);

// The short date, a blank and the long time without its time zone; only the date when the time
// is exactly midnight.
QString LocaleDateTimeText(const QLocale& locale, const QDateTime& when);

}  // namespace vantorel
