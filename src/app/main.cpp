#include "PlimsaApp.h"

int main(int argc, char **argv)
{
    return PlimsaApp::main(argc, argv);
}
