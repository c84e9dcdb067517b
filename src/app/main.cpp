#include "app/TarnvaleSetupApp.h"

int main(int argc, char** argv) {
    halvorn::app::TarnvaleSetupApp app(argc, argv);
    app.runStartUp();
    return 0;
}
