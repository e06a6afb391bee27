#include "Pictures.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void InitQuorvelResources() {
    Q_INIT_RESOURCE(quorvel);
}

namespace quorvel {

void InitPictures() {
    InitQuorvelResources();
}

} // namespace quorvel
