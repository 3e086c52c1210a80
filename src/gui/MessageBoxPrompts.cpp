#include "gui/MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace vennart::gui {
namespace {

workspace::Answer ToAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return workspace::Answer::Yes;
    case QMessageBox::No:
        return workspace::Answer::No;
    default:
        return workspace::Answer::Cancel;
    }
}

} // namespace

workspace::Answer MessageBoxPrompts::AskYesNo(const std::string& question)
{
    return ToAnswer(QMessageBox::question(parent_, QApplication::applicationName(),
        QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No));
}

workspace::Answer MessageBoxPrompts::AskYesNoCancel(const std::string& question)
{
    return ToAnswer(QMessageBox::question(parent_, QApplication::applicationName(),
        QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}

void MessageBoxPrompts::ShowError(const std::string& message)
{
    QMessageBox::critical(parent_, QApplication::applicationName(), QString::fromStdString(message));
}

void MessageBoxPrompts::ShowWarning(const std::string& message)
{
    QMessageBox::warning(parent_, QApplication::applicationName(), QString::fromStdString(message));
}

} // namespace vennart::gui
