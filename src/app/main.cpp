#include "app/application.h"

int main(int argc, char** argv) { return pf::RunPortfolaris(argc, argv); }
