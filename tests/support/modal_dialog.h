#pragma once
// Drives a modal dialog that the code under test runs: once the dialog with the given
// object name is the application's modal widget, `drive` gets it (to fill it in and
// accept or reject it). A dialog that does not come in time fails the test, and any
// other modal dialog is then rejected so that the test does not hang.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <functional>

template <class Dialog = QDialog>
void WhenModalShown(const QString& objectName, std::function<void(Dialog*)> drive, int timeoutMs = 10000)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        bool found = dialog != nullptr && modal->objectName() == objectName;
        if (!found && clock->elapsed() < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (found) {
            drive(dialog);
            return;
        }
        ADD_FAILURE() << "no modal dialog named " << objectName.toStdString();
        if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
    });
    timer->start(5);
}

// Presses OK the way the dialog's own button does (some dialogs keep accept() protected).
inline void Accept(QDialog* dialog)
{
    dialog->accept();
}
