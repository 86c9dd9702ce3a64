#include "app/qt/locale_texts.h"

#include "core/number_text.h"

namespace vantorel {

namespace {

// The locale's long time pattern without the time-zone fields ("t" outside quoted text): a
// script carries the time as the clock on the wall showed it.
QString LongTimeWithoutZone(const QLocale& locale) {
  const QString pattern = locale.timeFormat(QLocale::LongFormat);
  QString kept;
  bool quoted = false;
  for (const QChar c : pattern) {
    if (c == '\'') quoted = !quoted;
    if (!quoted && c == 't') continue;
    kept += c;
  }
  return kept.trimmed();
}

}  // namespace

char LocaleDecimalSeparator(const QLocale& locale) {
  return DecimalSeparatorFromLocale(locale.decimalPoint().toStdString());
}

QString LocaleDateTimeText(const QLocale& locale, const QDateTime& when) {
  QString text = locale.toString(when.date(), QLocale::ShortFormat);
  if (when.time().msecsSinceStartOfDay() != 0) {
    text += ' ' + locale.toString(when.time(), LongTimeWithoutZone(locale));
  }
  // Some locales set the time apart from its AM/PM mark with a narrow no-break space, which
  // the Windows code page of a script cannot hold.
  return text.replace(QChar(0x202F), ' ');
}

}  // namespace vantorel
