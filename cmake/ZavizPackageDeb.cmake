# The Debian package: what goes into it and how it is described.
# The files themselves (programs, desktop entry, icons, metainfo, manual
# pages, copyright, changelog) and their install rules are in
# packaging/linux/; this file sets how CPack's DEB generator wraps them.

# The reverse-DNS name of the desktop entry, the metainfo and the icon.
set(ZAVIZ_APP_ID org.example.ZavizEraVaredu)
add_subdirectory(${PROJECT_SOURCE_DIR}/packaging/linux ${PROJECT_BINARY_DIR}/packaging/linux)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories made on the way to an installed file get the usual mode too.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# The shared libraries the programs link come from dpkg-shlibdeps. Beside
# them: a font with Chinese glyphs for the wizard's texts (the text engine
# asks fontconfig for a zh-cn face), and setcap for the maintainer script.
# librsvg is opened at run time, only for skins with SVG images.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, libcap2-bin")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "librsvg2-2")

# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the long text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ZavizEraVaredu brings a Vombel network box (a small router with a MESH key)
back to working firmware. The box is connected to the PC with a LAN cable;
the tool gives the wired card the address 192.168.1.2/24, serves the image
upgradeimage.bin over TFTP to the box's boot loader, follows the download
and gives the card its own setup back afterwards.
.
The package contains the repair wizard (zaviz-era-varedu), the same repair
from a terminal (zaviz-repair), the TFTP server alone (zaviz-tftpd) and a
viewer for the wizard's skins (zaviz-skinview). The wizard and zaviz-repair
get the capabilities to bind port 69 and to change a card's addresses, so
desktop users run them without sudo.")

# Maintainer scripts: capabilities after installation, the restore-record
# folder on purge. Control files get the modes Debian wants.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/linux/postinst
    ${PROJECT_SOURCE_DIR}/packaging/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
