// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/errors/caughtexception.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <typeinfo>

namespace {

// Used where libstdc++ cannot tell the type: an exception from another language.
const QByteArray unknownType = QByteArrayLiteral("不明な例外");

QByteArray readableName(const std::type_info* type)
{
    if (!type)
        return unknownType;
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                           &std::free);
    return status == 0 && name ? QByteArray(name.get()) : QByteArray(type->name());
}

// A thrown value that is no std::exception carries no message, unless it is a
// string itself; it is then named by its type.
QByteArray messageOfOther(const std::type_info* type)
{
    return type ? readableName(type) + QByteArrayLiteral(" 型の例外") : unknownType;
}

} // namespace

CaughtException CaughtException::current()
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
