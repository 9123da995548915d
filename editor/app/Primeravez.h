// The starting configuration on a machine that has none stored yet.
#pragma once

class TForm1;

void Primeravez(TForm1& form);
