// What the exports that act on one host port do, with the arguments they use.
#pragma once

#include <cstdint>

namespace lvc {

int32_t openPort(int32_t port, const char* cameraName, uint32_t* size);
void closePort(int32_t port);
int32_t grab(int32_t port);
int32_t grabRow(int32_t port, void* buffer, uint32_t row, uint32_t first, uint32_t last);
int32_t readProperty(int32_t port, const char* name, int32_t* value);
int32_t writeProperty(int32_t port, const char* name, int32_t value);
int32_t executeCommand(int32_t port, const char* command, char* answer, int32_t answerSize);

}  // namespace lvc
