// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/errors/errorreport.h"

#include "app/texts/catalogue.h"

#include <QMessageBox>

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <typeinfo>

namespace errors {

namespace {

constexpr int pointerDigits = int(sizeof(void*)) * 2;

QByteArray readableName(const std::type_info* type)
{
    if (!type)
        return texts::window::unknownException;
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                           &std::free);
    return status == 0 && name ? QByteArray(name.get()) : QByteArray(type->name());
}

// A thrown value that is no std::exception carries no message, unless it is a
// string itself; it is then named by its type.
QByteArray messageOfOther(const std::type_info* type)
{
    return type ? texts::window::exceptionOfType.arg(QString::fromUtf8(readableName(type))).toUtf8()
                : texts::window::unknownException;
}

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

CaughtException caughtException()
{
    CaughtException caught;
    const std::type_info* type = abi::__cxa_current_exception_type();
    caught.className = readableName(type);
    try {
        throw;
    } catch (const std::exception& error) {
        caught.message = QByteArray(error.what());
    } catch (const char* text) {
        caught.message = QByteArray(text ? text : "");
    } catch (const std::string& text) {
        caught.message = QByteArray::fromStdString(text);
    } catch (...) {
        caught.message = messageOfOther(type);
    }
    caught.site = throwsite::ofCurrentException();
    return caught;
}

QString creationErrorText(const QByteArray& message)
{
    const bool appendPeriod = !message.isEmpty() && static_cast<unsigned char>(message.back()) > '.';
    return QString::fromUtf8(appendPeriod ? message + '.' : message);
}

QString applicationErrorText(const QByteArray& className, const QByteArray& module, std::uintptr_t address,
                             const QByteArray& message)
{
    return texts::window::applicationError.arg(QString::fromUtf8(className), QString::fromUtf8(module),
                                               errors::address(address), sentence(message));
}

QString sentence(const QByteArray& message)
{
    const bool appendPeriod = !message.isEmpty() && !message.endsWith('.');
    return QString::fromUtf8(appendPeriod ? message + '.' : message);
}

QString address(std::uintptr_t value)
{
    return QStringLiteral("%1").arg(quint64{value}, pointerDigits, 16, QChar(u'0')).toUpper();
}

void showCreationError(const QString& programTitle, const CaughtException& caught)
{
    showErrorBox(programTitle, creationErrorText(caught.message));
}

void showApplicationError(const CaughtException& caught)
{
    // Without a noted throw there is no address to give: the null address, in
    // the program's own module, rather than a guess.
    const std::string module = caught.site.known ? caught.site.module : throwsite::programModule();
    showErrorBox(
        texts::window::applicationErrorCaption,
        applicationErrorText(caught.className, QByteArray::fromStdString(module), caught.site.offset, caught.message));
}

} // namespace errors
