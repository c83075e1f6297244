#include "ui/WindowMode.h"

int main(int argc, char** argv) { return varnolet::RunWindowMode(argc, argv); }
