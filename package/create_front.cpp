#include "create_front.h"

namespace {

CreateFront* Current = nullptr;

}  // namespace

void UseCreateFront(CreateFront& front) { Current = &front; }

CreateFront& Front() { return *Current; }
