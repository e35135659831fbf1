// Opens a camera in a process of its own, prints the status and keeps the camera until
// its standard input ends: the other process of the exclusive-open tests.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "camera_session.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::unique_ptr<fwaravis::CameraSession> session;
    const int32_t status = fwaravis::CameraSession::open(argv[1], session);
    std::cout << "status " << status << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
