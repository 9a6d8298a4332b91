#include "application.h"

int main(int argc, char* argv[])
{
    if (!Application::displayAvailable())
        return 1;
    Application application(argc, argv);
    application.CreateForm();
    return application.Run();
}
