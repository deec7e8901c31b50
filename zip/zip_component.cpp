#include "zip_component.h"

#include "mvwrap.h"

void StartZipComponent() {
    RunMorvane();
    const int16_t tries = 10;
    const int32_t seconds = 2;
    SetRetryOptions(&tries, &seconds);
}

void StopZipComponent() { StopMorvane(); }

std::string TakeComponentText(char* text) {
    if (!text) return "";
    std::string copy = text;
    FreeComponentText(text);
    return copy;
}
