#pragma once
// The part of the marker plugins that tells they were loaded: a function the dynamic loader
// runs the moment the library is loaded writes the file named by NBX_PLUGIN_MARKER.

#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void WriteMarker() {
    if (const char* path = std::getenv("NBX_PLUGIN_MARKER")) {
        if (FILE* file = std::fopen(path, "w")) {
            std::fputs("loaded\n", file);
            std::fclose(file);
        }
    }
}

}  // namespace
