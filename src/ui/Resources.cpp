#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitTesselResources()
{
    Q_INIT_RESOURCE(tessel);
}

namespace tessel {

void UseResources()
{
    static const bool registered = (InitTesselResources(), true);
    (void)registered;
}

} // namespace tessel
