// The program as shipped, built with the start-up probe (ShowProbe.h): it
// prints when its first window has been painted, and quits.

#include "ShowProbe.h"
#include "app/TarnvaleSetupApp.h"

int main(int argc, char** argv) {
    halvorn::app::TarnvaleSetupApp app(argc, argv);
    halvorn::bench::installShowProbe();
    app.runStartUp();
    return 0;
}
