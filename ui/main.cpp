// Расчет формирования биогенной нагрузки: the annual phosphorus and nitrogen load formed on
// the catchment of a lake or a bay and the part of it that reaches the water body.

#include "ui/program.h"

int main(int argc, char** argv) { return nutrient::runProgram(argc, argv); }
