#pragma once
// What the program sets up once at start, before its window exists: the one place that
// knows every document family, so the framework below them never has to.

namespace app {

// Offers each family's parser of event-type codes to the framework's registry, in the
// families' start order. The registry keeps the first registration of a name, so a second
// call changes nothing.
void RegistrarConversoes();

} // namespace app
