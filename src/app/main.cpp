// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "application.h"

int main(int argc, char* argv[])
{
    Application application(argc, argv);
    application.CreateForm();
    return application.Run();
}
