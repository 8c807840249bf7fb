// The example that good.md and drifted.md quote (scripts/check-guide --self-test).
int Sum(int a, int b) {
  int total = a;

  total += b;  // the second term
  return total;
}
