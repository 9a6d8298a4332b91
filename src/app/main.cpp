// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/application.h"
#include "app/startup/commandline.h"
#include "app/startup/resourcelimits.h"
#include "app/startup/terminaltext.h"

int main(int argc, char* argv[])
{
    resourcelimits::raiseWhereAllowed();
    const commandline::Request request = commandline::parse(argc, argv);
    if (request.answer != commandline::Answer::None)
        return terminaltext::print(terminaltext::answer(request.answer, terminaltext::terminal()));
    Application application(argc, argv);
    application.CreateForm();
    return application.Run();
}
