#version 110
// Ribbon strips: positions already in normalised device coordinates, one
// colour per point, texture u along the ribbon and v across it (0 and 1 on
// the two edges).
uniform vec2 resolution;   // window size in pixels

varying vec2 ribbon;
varying vec2 pixel;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    gl_FrontColor = gl_Color;
    ribbon = gl_MultiTexCoord0.xy;
    pixel = (gl_Vertex.xy * 0.5 + 0.5) * resolution;
}
