"""Reads what the zip tests look at in a Windows executable: its resource
tree and the version information among it. Only PE32+ (64-bit) files."""

import struct

RT_ICON_GROUP = 14
RT_VERSION = 16
RT_MANIFEST = 24
FIXED_INFO_SIGNATURE = 0xFEEF04BD


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"MZ":
            raise PeError(path + " is no executable (no MZ header)")
        (pe,) = struct.unpack_from("<I", self.data, 0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise PeError(path + " has no PE signature")
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        optional = pe + 24
        (magic,) = struct.unpack_from("<H", self.data, optional)
        if magic != 0x20B:
            raise PeError(path + " is not a 64-bit (PE32+) executable")
        (directories,) = struct.unpack_from("<I", self.data, optional + 108)
        self.resource_rva = 0
        if directories > 2:
            self.resource_rva, _ = struct.unpack_from("<II", self.data, optional + 112 + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", self.data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), rva, max(vsize, raw_size), raw))

    def offset(self, rva):
        for _, start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise PeError("address 0x%x lies in no section" % rva)

    def resources(self):
        """{(type, name): [data of each language]}; type and name are numbers
        or strings as the resource script gave them."""
        found = {}
        if not self.resource_rva:
            return found
        base = self.offset(self.resource_rva)
        for type_id, names in self._directory(base, 0):
            for name_id, languages in self._directory(base, names):
                for _, leaf in self._directory(base, languages):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(rva)
                    found.setdefault((type_id, name_id), []).append(self.data[start:start + size])
        return found

    def _directory(self, base, at):
        named, numbered = struct.unpack_from("<HH", self.data, base + at + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
            if name & 0x80000000:
                text = base + (name & 0x7FFFFFFF)
                (length,) = struct.unpack_from("<H", self.data, text)
                name = self.data[text + 2:text + 2 + 2 * length].decode("utf-16-le")
            yield name, target & 0x7FFFFFFF

    def version_info(self):
        """(file version numbers, product version numbers, {string name: value})
        from the first RT_VERSION resource, or None when there is none."""
        blocks = [data for (kind, _), datas in self.resources().items() if kind == RT_VERSION for data in datas]
        if not blocks:
            return None
        key, value, children = _version_node(blocks[0], 0)[:3]
        if key != "VS_VERSION_INFO" or len(value) < 52:
            raise PeError("the version resource has no fixed part")
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", value)
        if signature != FIXED_INFO_SIGNATURE:
            raise PeError("the version resource's fixed part has a wrong signature")
        strings = {}
        for key, _, tables in children:
            if key == "StringFileInfo":
                for _, _, entries in tables:
                    for name, text, _ in entries:
                        strings[name] = text.decode("utf-16-le").rstrip("\0")
        return _numbers(file_ms, file_ls), _numbers(product_ms, product_ls), strings


def _numbers(ms, ls):
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def _align(at):
    return (at + 3) & ~3


def _version_node(data, at):
    """One node of the version tree: (key, value bytes, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    if length < 6 or end > len(data):
        raise PeError("a version node runs past its resource")
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = _align(key_end + 2)
    # Text values count characters, binary ones bytes.
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:min(value_at + value_size, end)]
    children = []
    child = _align(value_at + value_size)
    while child < end:
        node = _version_node(data, child)
        children.append(node[:3])
        child = _align(node[3])
    return key, value, children, end
