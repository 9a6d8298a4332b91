// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/application.h"
#include "app/startup/commandline.h"
#include "app/startup/resourcelimits.h"
#include "app/texts/terminal.h"

int main(int argc, char* argv[])
{
    resourcelimits::raiseWhereAllowed();
    const commandline::Request request = commandline::parse(argc, argv);
    if (request.answer != commandline::Answer::None)
        return texts::print(request.answer == commandline::Answer::Help ? texts::helpText(texts::terminal())
                                                                        : texts::versionText());
    Application application(argc, argv, request.start);
    application.CreateForm();
    return application.Run();
}
