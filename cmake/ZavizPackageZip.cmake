# The Windows download: a zip of the programs, their README and licences.
