"""Off-screen OpenGL through Mesa's OSMesa, for checking and previewing the
skin's shaders on a real GL 2 implementation without a window."""
import ctypes
import ctypes.util

import numpy as np

GL_FLOAT, GL_UNSIGNED_BYTE = 0x1406, 0x1401
GL_RGBA, GL_RED, GL_R32F = 0x1908, 0x1903, 0x822E
GL_TEXTURE_2D, GL_TEXTURE0 = 0x0DE1, 0x84C0
GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_LINEAR = 0x2801, 0x2800, 0x2601
GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE, GL_REPEAT = 0x2802, 0x2803, 0x812F, 0x2901
GL_VERTEX_SHADER, GL_FRAGMENT_SHADER = 0x8B31, 0x8B30
GL_COMPILE_STATUS, GL_LINK_STATUS, GL_ACTIVE_UNIFORMS = 0x8B81, 0x8B82, 0x8B86
GL_COLOR_BUFFER_BIT, GL_BLEND, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA = 0x4000, 0x0BE2, 0x0302, 0x0303
GL_TRIANGLE_STRIP, GL_VERSION, GL_SHADING_LANGUAGE_VERSION = 0x0005, 0x1F02, 0x8B8C
GL_MODELVIEW, GL_PROJECTION = 0x1700, 0x1701

_SIGNATURES = {
    "glCreateShader": (ctypes.c_uint, [ctypes.c_uint]),
    "glShaderSource": (None, [ctypes.c_uint, ctypes.c_int, ctypes.POINTER(ctypes.c_char_p), ctypes.c_void_p]),
    "glCompileShader": (None, [ctypes.c_uint]),
    "glGetShaderiv": (None, [ctypes.c_uint, ctypes.c_uint, ctypes.POINTER(ctypes.c_int)]),
    "glGetShaderInfoLog": (None, [ctypes.c_uint, ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p]),
    "glCreateProgram": (ctypes.c_uint, []),
    "glAttachShader": (None, [ctypes.c_uint, ctypes.c_uint]),
    "glLinkProgram": (None, [ctypes.c_uint]),
    "glGetProgramiv": (None, [ctypes.c_uint, ctypes.c_uint, ctypes.POINTER(ctypes.c_int)]),
    "glGetProgramInfoLog": (None, [ctypes.c_uint, ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p]),
    "glGetActiveUniform": (None, [ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_void_p,
                                  ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_uint), ctypes.c_char_p]),
    "glGetUniformLocation": (ctypes.c_int, [ctypes.c_uint, ctypes.c_char_p]),
    "glUseProgram": (None, [ctypes.c_uint]),
    "glUniform1f": (None, [ctypes.c_int, ctypes.c_float]),
    "glUniform1i": (None, [ctypes.c_int, ctypes.c_int]),
    "glUniform2f": (None, [ctypes.c_int, ctypes.c_float, ctypes.c_float]),
    "glUniform4f": (None, [ctypes.c_int] + [ctypes.c_float] * 4),
    "glViewport": (None, [ctypes.c_int] * 4),
    "glClearColor": (None, [ctypes.c_float] * 4),
    "glClear": (None, [ctypes.c_uint]),
    "glEnable": (None, [ctypes.c_uint]),
    "glDisable": (None, [ctypes.c_uint]),
    "glBlendFunc": (None, [ctypes.c_uint, ctypes.c_uint]),
    "glBegin": (None, [ctypes.c_uint]),
    "glEnd": (None, []),
    "glVertex2f": (None, [ctypes.c_float] * 2),
    "glTexCoord2f": (None, [ctypes.c_float] * 2),
    "glColor4f": (None, [ctypes.c_float] * 4),
    "glMatrixMode": (None, [ctypes.c_uint]),
    "glLoadIdentity": (None, []),
    "glGenTextures": (None, [ctypes.c_int, ctypes.POINTER(ctypes.c_uint)]),
    "glBindTexture": (None, [ctypes.c_uint, ctypes.c_uint]),
    "glActiveTexture": (None, [ctypes.c_uint]),
    "glTexParameteri": (None, [ctypes.c_uint, ctypes.c_uint, ctypes.c_int]),
    "glTexImage2D": (None, [ctypes.c_uint, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                            ctypes.c_int, ctypes.c_uint, ctypes.c_uint, ctypes.c_void_p]),
    "glFinish": (None, []),
    "glGetString": (ctypes.c_char_p, [ctypes.c_uint]),
}


class GLError(RuntimeError):
    pass


def find_osmesa():
    return ctypes.util.find_library("OSMesa")


class OffscreenGL:
    """An OSMesa context with an RGBA8 colour buffer of the given size."""

    def __init__(self, width, height):
        path = find_osmesa()
        if not path:
            raise GLError("Mesa's off-screen library (libOSMesa) is not installed")
        self.lib = ctypes.CDLL(path)
        self.lib.OSMesaCreateContextExt.restype = ctypes.c_void_p
        self.lib.OSMesaCreateContextExt.argtypes = [ctypes.c_uint, ctypes.c_int, ctypes.c_int,
                                                     ctypes.c_int, ctypes.c_void_p]
        self.lib.OSMesaMakeCurrent.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint,
                                               ctypes.c_int, ctypes.c_int]
        self.lib.OSMesaDestroyContext.argtypes = [ctypes.c_void_p]
        self.width, self.height = width, height
        self.context = self.lib.OSMesaCreateContextExt(GL_RGBA, 24, 8, 0, None)
        if not self.context:
            raise GLError("could not create an OSMesa context")
        self.buffer = (ctypes.c_ubyte * (width * height * 4))()
        if not self.lib.OSMesaMakeCurrent(self.context, self.buffer, GL_UNSIGNED_BYTE, width, height):
            raise GLError("could not make the OSMesa context current")
        for name, (restype, argtypes) in _SIGNATURES.items():
            function = getattr(self.lib, name)
            function.restype, function.argtypes = restype, argtypes
            setattr(self, name, function)
        self.glViewport(0, 0, width, height)

    def close(self):
        self.lib.OSMesaDestroyContext(self.context)

    def version(self):
        return self.glGetString(GL_VERSION).decode(), self.glGetString(GL_SHADING_LANGUAGE_VERSION).decode()

    def compile(self, kind, source):
        shader = self.glCreateShader(kind)
        text = ctypes.c_char_p(source.encode("ascii"))
        self.glShaderSource(shader, 1, ctypes.byref(text), None)
        self.glCompileShader(shader)
        status = ctypes.c_int()
        self.glGetShaderiv(shader, GL_COMPILE_STATUS, ctypes.byref(status))
        if not status.value:
            log = ctypes.create_string_buffer(4096)
            self.glGetShaderInfoLog(shader, 4096, None, log)
            raise GLError(log.value.decode(errors="replace"))
        return shader

    def program(self, vertex_source, fragment_source):
        program = self.glCreateProgram()
        self.glAttachShader(program, self.compile(GL_VERTEX_SHADER, vertex_source))
        self.glAttachShader(program, self.compile(GL_FRAGMENT_SHADER, fragment_source))
        self.glLinkProgram(program)
        status = ctypes.c_int()
        self.glGetProgramiv(program, GL_LINK_STATUS, ctypes.byref(status))
        if not status.value:
            log = ctypes.create_string_buffer(4096)
            self.glGetProgramInfoLog(program, 4096, None, log)
            raise GLError(log.value.decode(errors="replace"))
        return program

    def active_uniforms(self, program):
        count = ctypes.c_int()
        self.glGetProgramiv(program, GL_ACTIVE_UNIFORMS, ctypes.byref(count))
        names = []
        for index in range(count.value):
            size, kind = ctypes.c_int(), ctypes.c_uint()
            name = ctypes.create_string_buffer(256)
            self.glGetActiveUniform(program, index, 256, None, ctypes.byref(size), ctypes.byref(kind), name)
            names.append(name.value.decode())
        return sorted(names)

    def uniform(self, program, name):
        return self.glGetUniformLocation(program, name.encode("ascii"))

    def texture(self, pixels, internal_format, pixel_format, pixel_type, wrap=GL_REPEAT):
        """Uploads a numpy image (row 0 first, as the editor stores PNG rows) and returns its name."""
        name = ctypes.c_uint()
        self.glGenTextures(1, ctypes.byref(name))
        self.glBindTexture(GL_TEXTURE_2D, name.value)
        for parameter, value in ((GL_TEXTURE_MIN_FILTER, GL_LINEAR), (GL_TEXTURE_MAG_FILTER, GL_LINEAR),
                                 (GL_TEXTURE_WRAP_S, wrap), (GL_TEXTURE_WRAP_T, wrap)):
            self.glTexParameteri(GL_TEXTURE_2D, parameter, value)
        data = np.ascontiguousarray(pixels)
        self.glTexImage2D(GL_TEXTURE_2D, 0, internal_format, data.shape[1], data.shape[0], 0,
                          pixel_format, pixel_type, data.ctypes.data_as(ctypes.c_void_p))
        return name.value

    def strip(self, points, texcoords, colours=None):
        """One triangle strip in normalised device coordinates."""
        self.glBegin(GL_TRIANGLE_STRIP)
        for i, ((x, y), (s, t)) in enumerate(zip(points, texcoords)):
            if colours is not None:
                self.glColor4f(*colours[i])
            self.glTexCoord2f(s, t)
            self.glVertex2f(x, y)
        self.glEnd()

    def pixels(self):
        """The colour buffer as an RGBA uint8 image with row 0 at the top."""
        self.glFinish()
        image = np.frombuffer(self.buffer, dtype=np.uint8).reshape(self.height, self.width, 4)
        return image[::-1].copy()
