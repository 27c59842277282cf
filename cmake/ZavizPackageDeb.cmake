# The Debian package: what goes into it and how it is described.
