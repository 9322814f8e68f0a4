#version 110
// Scope view: quads already in normalised device coordinates, one colour per
// corner, where the corner lies across its shape (-1..1; 0 fills flat) and
// how far out the shape's bright core reaches.
varying vec3 shape;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    gl_FrontColor = gl_Color;
    shape = gl_MultiTexCoord0.xyz;
}
