#pragma once

#include <QString>
#include <functional>

class QDialog;
class QHBoxLayout;

namespace vantorel {

// The buttons along the bottom of a small dialog, right-aligned: the default button "Button1"
// with acceptText, which runs accept (a dialog that checks its fields first passes its check;
// one that does not passes QDialog::accept), and "&Cancel" ("Button2"), which closes it with
// the result Cancel.
QHBoxLayout* AcceptCancelRow(QDialog* dialog, const QString& acceptText,
                             std::function<void()> accept);

}  // namespace vantorel
