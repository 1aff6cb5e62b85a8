#include "application.h"
#include "quillon_form.h"

int main(int argc, char** argv) {
    return forms::runForm<quillon::QuillonForm>(argc, argv, DESKTOP_FILE_NAME);
}
