#include "app/program_references.h"

ProgramReferences& programReferences() {
    static ProgramReferences references;
    return references;
}
