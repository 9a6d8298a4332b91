// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/application.h"
#include "app/startup/resourcelimits.h"
#include "app/startup/terminaltext.h"

int main(int argc, char* argv[])
{
    resourcelimits::raiseWhereAllowed();
    if (const auto text = terminaltext::answer(argc, argv, terminaltext::terminal()))
        return terminaltext::print(*text);
    Application application(argc, argv);
    application.CreateForm();
    return application.Run();
}
