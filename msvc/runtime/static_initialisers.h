// Runs the image's dynamic initialisers of static data, in the order the
// compiler listed them. Each image (the DLL, an executable) links its own copy.
#pragma once

void RunStaticInitialisers();
