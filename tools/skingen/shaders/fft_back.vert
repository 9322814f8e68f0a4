#version 110
// Equaliser background. The quad's first texture coordinate runs bottom to
// top and the second left to right, so they are swapped here into
// (frequency, height).
varying vec2 plot;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    plot = gl_MultiTexCoord0.yx;
}
