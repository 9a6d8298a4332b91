// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// stereogram with its start-up stages marked, for bench/startup.sh: the same
// start-up as src/app/main.cpp, with a mark after each step.

#include "app/application.h"
#include "stagemark.h"

int main(int argc, char* argv[])
{
    stageMark("main");
    Application application(argc, argv, commandline::parse(argc, argv).start);
    stageMark("qt_started");
    application.CreateForm();
    stageMark("window_ready");
    return application.Run();
}
