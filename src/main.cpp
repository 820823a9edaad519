#include "driver/program.h"

int main() {
    return torvelin::runProgram();
}
