# The program's version, in one place: the version record of the program (resources/), the
# --version of orlin-cli and the package take it from here.
set(ORLIN_FILE_VERSION "0.9.1.11")
set(ORLIN_PRODUCT_VERSION "0.9.1.0")
# The date of this version, for the AppStream metadata and the package's changelog.
set(ORLIN_RELEASE_DATE "2026-12-08")
set(ORLIN_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")
