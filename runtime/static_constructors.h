// Runs the constructors of static objects, which the C runtime's start-up
// would otherwise run. The programs avoid such objects; should one appear,
// it still works.
#ifndef RUNTIME_STATIC_CONSTRUCTORS_H
#define RUNTIME_STATIC_CONSTRUCTORS_H

typedef void (*StaticConstructor)();

// The linker's list: -1, the constructors, 0.
extern "C" StaticConstructor __CTOR_LIST__[];

inline void RunStaticConstructors()
{
    for (StaticConstructor* entry = __CTOR_LIST__ + 1; *entry; ++entry)
        (*entry)();
}

#endif
