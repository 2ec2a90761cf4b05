#include "app/brevix_app.h"

int main(int argc, char** argv) {
    CBrevixApp app(argc, argv);
    return app.InitInstance(argc, argv);
}
