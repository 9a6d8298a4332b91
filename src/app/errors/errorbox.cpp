// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/errors/errorbox.h"

#include "app/errors/errortext.h"

#include <QMessageBox>

namespace {

const QString applicationErrorCaption = QStringLiteral("アプリケーション エラー");

// Shown by exec(), a box without a parent is modal for the whole application.
void showErrorBox(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // a message is never markup
    box.exec();
}

} // namespace

void ErrorBox::showCreationError(const QString& programTitle, const CaughtException& caught)
{
    showErrorBox(programTitle, errortext::creationError(caught.message));
}

void ErrorBox::showApplicationError(const CaughtException& caught)
{
    // Without a noted throw there is no address to give: the null address, in
    // the program's own module, rather than a guess.
    const std::string module = caught.site.known ? caught.site.module : throwsite::programModule();
    showErrorBox(applicationErrorCaption,
                 errortext::applicationError(caught.className, QByteArray::fromStdString(module), caught.site.offset,
                                             caught.message));
}
