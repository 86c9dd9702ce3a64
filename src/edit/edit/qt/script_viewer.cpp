#include "edit/qt/script_viewer.h"

#include <QAction>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/qt_text.h"
#include "app/qt/window_fit.h"
#include "core/program_identity.h"
#include "core/utf8_path.h"
#include "edit/script_file.h"

namespace vantorel {

namespace {

// The size it opened with before it fitted its text; a short script keeps it.
constexpr int kLeastWidth = 408;
constexpr int kLeastHeight = 335;

// The script's columns line up only in a font whose characters are all as wide. Courier New is
// asked for first; whatever the system gives for it counts if it is fixed pitch (a metric
// stand-in such as Nimbus Mono PS is), whatever its name. Otherwise the system's fixed font, and
// failing that the first fixed-pitch family installed.
QFont MemoFont() {
  const auto sized = [](QFont font) {
    font.setPixelSize(12);
    return font;
  };
  QFont font = sized(QFont("Courier New"));
  if (QFontInfo(font).fixedPitch()) return font;
  font = sized(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  if (QFontInfo(font).fixedPitch()) return font;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(family)) return sized(QFont(family));
  }
  return font;
}

QAction* Item(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

ScriptViewer::ScriptViewer(const std::string& script, const std::string& collName,
                           const QString& folder, QWidget* parent)
    : QDialog(parent), fileName_(Windows1252ToQt(collName) + ".cst"), folder_(folder) {
  setObjectName("TForm8");
  setWindowTitle("Collision Script of \"" + Windows1252ToQt(collName) + "\"");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);

  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setFont(MemoFont());
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setPlainText(Windows1252ToQt(script).replace("\r\n", "\n"));
  memo_->setReadOnly(true);

  auto* menuBar = new QMenuBar(this);
  QMenu* menu = menuBar->addMenu("&CollScript");
  menu->setObjectName("Text1");
  QAction* save = Item(menu, "Save1", "&Save...");
  menu->addSeparator();
  QAction* readOnly = Item(menu, "Readonly1", "&Read only");
  readOnly->setCheckable(true);
  readOnly->setChecked(true);
  menu->addSeparator();
  QAction* close = Item(menu, "Close1", "&Close");
  connect(save, &QAction::triggered, this, &ScriptViewer::Save);
  connect(readOnly, &QAction::toggled, memo_, &QPlainTextEdit::setReadOnly);
  connect(close, &QAction::triggered, this, &QDialog::close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(menuBar);
  layout->addWidget(memo_);
  resize(ContentSize(menuBar->sizeHint().height()));
}

QSize ScriptViewer::ContentSize(int menuHeight) const {
  // The longest line in characters is also the widest: the font has a fixed pitch.
  const QString text = memo_->toPlainText();
  qsizetype longest = 0;
  qsizetype lines = 0;
  for (qsizetype start = 0; start <= text.size(); ++lines) {
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = text.size();
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  const QFontMetrics metrics(memo_->font());
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int chrome = 2 * memo_->frameWidth() +
                     2 * static_cast<int>(memo_->document()->documentMargin()) + scrollBar + 4;
  const QSize wanted(
      chrome + metrics.horizontalAdvance(QString(static_cast<int>(longest), QChar('M'))),
      menuHeight + chrome + metrics.lineSpacing() * static_cast<int>(lines));
  return WithinScreen(*this, wanted.expandedTo(QSize(kLeastWidth, kLeastHeight))
                                 .expandedTo(QSize(TitleBarWidth(*this, windowTitle()), 0)));
}

void ScriptViewer::Save() {
  QFileDialog dialog(this);
  dialog.setObjectName("savetxt");
  dialog.setWindowTitle("Save Collision Script");
  dialog.setNameFilters({"Collision Script (*.cst)", "All Files (*.*)"});
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  if (!folder_.isEmpty()) dialog.setDirectory(folder_);
  dialog.selectFile(fileName_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

  const QString path = dialog.selectedFiles().front();
  const auto error = WriteScriptFile(PathFromUtf8(path.toUtf8().toStdString()),
                                     QtToWindows1252(memo_->toPlainText()));
  if (!error) return;
  QMessageBox box(QMessageBox::Critical, Windows1252ToQt(std::string(kApplicationTitle)),
                  Windows1252ToQt(*error), QMessageBox::Ok, this);
  box.setObjectName("error");
  box.exec();
}

}  // namespace vantorel
