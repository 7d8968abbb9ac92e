#include "QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString Title() { return QApplication::applicationDisplayName(); }

void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  if (!request.filters.isEmpty()) {
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
      dialog.selectNameFilter(request.filters.at(request.selectedFilter));
  }
  if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
}

std::optional<QString> Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

}  // namespace

void QtPrompts::ShowError(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
  box.exec();
}

SaveAnswer QtPrompts::AskYesNoCancel(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, Title(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveAnswer::Yes;
    case QMessageBox::No:
      return SaveAnswer::No;
    default:
      return SaveAnswer::Cancel;
  }
}

std::optional<QString> QtPrompts::GetOpenFileName(QWidget* parent,
                                                  const FileDialogRequest& request) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // The chosen file need not exist: a name that is not there reads as nothing.
  dialog.setFileMode(QFileDialog::AnyFile);
  Prepare(dialog, request);
  return Run(dialog);
}

std::optional<QString> QtPrompts::GetSaveFileName(QWidget* parent,
                                                  const FileDialogRequest& request) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  Prepare(dialog, request);
  return Run(dialog);
}
