#include "driver/program.h"

#include "base/platform.h"

int main(int argc, char** argv) {
    return torvelin::runProgram(torvelin::platform().arguments(argc, argv));
}
