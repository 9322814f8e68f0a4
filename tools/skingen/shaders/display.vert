#version 110
// Stereo gain panel: a quad in normalised device coordinates.
uniform float zed;         // clip-space depth of the panel (left at 0)

varying vec2 uv;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, zed, 1.0);
    uv = gl_MultiTexCoord0.xy;
}
